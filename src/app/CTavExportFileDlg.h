#pragma once

#include "CTavFileDlg.h"

class QRadioButton;

// The export file dialog: a save dialog with a range panel, all records or the selected ones.
// The caller sets the range before it runs and reads it back after.
class CTavExportFileDlg final : public CTavFileDlg
{
    Q_OBJECT
public:
    explicit CTavExportFileDlg(const QString& filter, QWidget* parent = nullptr);

    bool rangeAll = true;
    bool rangeSelected = false;
    bool selectedEnabled = false;

    QRadioButton* AllButton() const { return m_all; }
    QRadioButton* SelectedButton() const { return m_selected; }
    int exec() override;

protected:
    void showEvent(QShowEvent* event) override;
    // The desktop's dialog has no range panel: with a selection, the panel is asked alone.
    bool CompleteDesktopChoice() override;

private:
    void showRange();
    void storeRange();

    QRadioButton* m_all;
    QRadioButton* m_selected;
};
