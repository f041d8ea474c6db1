#pragma once

#include <memory>

#include "CTavDialogBase.h"

class CTavApp;
class CTavDriveMap;
class QComboBox;
class QPushButton;

// The memory card's drive ("メモリースティック"): the usable drive letters with the folders they
// stand for, the saved one preselected. A copied card folder can be given a free letter here,
// and a letter given so can be released again.
// OK saves the choice as the card drive.
class CTavCardDriveDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    enum Control
    {
        IdDrive = 1033,
    };

    CTavCardDriveDlg(CTavApp& app, QWidget* parent = nullptr);
    ~CTavCardDriveDlg() override;

    QComboBox* DriveBox() const { return m_drive; }
    QPushButton* BindButton() const { return m_bind; }
    QPushButton* UnbindButton() const { return m_unbind; }
    // The chosen root ("E:\"); empty for none.
    QString SelectedDrive() const;
    // Binds the folder to a free letter (or finds the letter it has) and selects it; false when
    // no letter is free or the binding cannot be stored.
    bool BindFolder(const QString& folder);

    void accept() override;

private:
    void fill(const QString& select);
    void chooseFolder();
    // Gives a letter the user bound back to its default meaning.
    void unbindSelected();
    void updateUnbind();

    CTavApp& m_app;
    std::unique_ptr<CTavDriveMap> m_drives;
    QComboBox* m_drive;
    QPushButton* m_bind;
    QPushButton* m_unbind;
};
