#pragma once

#include <array>

#include "CTavDbAddrRecord.h"
#include "CTavDialogBase.h"

class CTavApp;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The address preferences ("環境設定"): the default phone labels and usual contact of new
// cards, and the four custom field labels. OK stores them (the labels as one undoable step).
class CTavAddrPrefsDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("環境設定");
    static inline const QString kUndoText = QStringLiteral("カスタムラベルの変更");

    explicit CTavAddrPrefsDlg(CTavApp& app, QWidget* parent = nullptr);

    // The controls, for the window tests.
    QRadioButton* SlotButton(int slot) const { return m_slots.at(slot); }
    QComboBox* LabelBox(int slot) const { return m_labels.at(slot); }
    QLineEdit* CustomLabelEdit(int index) const { return m_custom.at(index); }
    QLabel* UsualText() const { return m_usualText; }
    QPushButton* DefaultsButton() const { return m_defaults; }

    // "デフォルトに戻す": the store's default labels, slot labels 0-4 and slot 1 as usual contact.
    void RestoreDefaults();
    void accept() override;

private:
    void showUsualText();
    bool save();

    CTavApp& m_app;
    std::array<QRadioButton*, CTavDbAddrRecord::kPhoneCount> m_slots{};
    std::array<QComboBox*, CTavDbAddrRecord::kPhoneCount> m_labels{};
    std::array<QLineEdit*, CTavDbAddrRecord::kCustomCount> m_custom{};
    QButtonGroup* m_slotGroup;
    QLabel* m_usualText;
    QPushButton* m_defaults;
};
