#pragma once

#include <cstdint>

#include "CTavDialogBase.h"
#include "TavStatus.h"

class QLabel;
class QListWidget;
class QPushButton;

// The list of users: choosing one at start-up, or managing them (new, rename, delete).
class CTavUserDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    enum Mode
    {
        Startup = 0,
        Management = 1
    };

    CTavUserDlg(Mode mode, uint32_t currentId, QWidget* parent = nullptr);

    QString ChosenName() const { return m_chosen; }
    QListWidget* List() const { return m_list; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* OkButton() const { return m_ok; }
    // Delete in management mode, Cancel at start-up.
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* RenameButton() const { return m_rename; }
    QPushButton* PasswordButton() const { return m_password; }

    void OnNew();
    void OnRename();
    void OnDelete();
    // Sets, changes or clears the selected user's password; the old one is asked first.
    void OnPassword();
    void OnOk();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // The selection, else the current user's entry, else the first; false for an empty list.
    bool TakeSelection();
    bool IsListed(const QString& name) const;
    int Message(const QString& text, unsigned type = 0);
    // Says so when a name is longer than the handheld keeps.
    bool nameFits(const QString& name);
    static QString failureReason(TavStatus status);

    Mode m_mode;
    uint32_t m_currentId;
    QString m_chosen;
    QListWidget* m_list;
    QLabel* m_label;
    QPushButton* m_new;
    QPushButton* m_ok;
    QPushButton* m_delete;
    QPushButton* m_rename;
    QPushButton* m_password;
};
