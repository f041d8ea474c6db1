#pragma once

#include <array>

#include "CTavDialogBase.h"
#include "CTavTodoDoc.h"

class QCheckBox;
class QLabel;
class QPushButton;

// "To Do リストの表示設定": shows completed tasks or not, records completion dates or not, and
// the colours of the three date states. On OK the document takes the settings.
class CTavTodoPrefsDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("To Do リストの表示設定");

    explicit CTavTodoPrefsDlg(CTavTodoDoc& doc, QWidget* parent = nullptr);

    const CTavTodoDoc::Settings& Chosen() const { return m_chosen; }
    QCheckBox* ShowCompletedBox() const;
    QCheckBox* RegistDateBox() const;
    // 0 before, 1 active, 2 delayed.
    QPushButton* ColorButton(int state) const;
    QLabel* Swatch(int state) const { return m_swatches.at(state); }

    // HotSync waits while the dialog is up.
    int exec() override;
    void accept() override;

private:
    QColor& colorOf(int state);
    void pickColor(int state);
    void showColor(int state);

    CTavTodoDoc& m_doc;
    CTavTodoDoc::Settings m_chosen;
    QCheckBox* m_showCompleted;
    QCheckBox* m_registDate;
    std::array<QPushButton*, 3> m_buttons{};
    std::array<QLabel*, 3> m_swatches{};
};
