#pragma once

#include <array>

#include "CTavDbAddrRecord.h"
#include "CTavDialogBase.h"

class CTavApp;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The card dialog, for a new card ("アドレス新規作成ダイアログ") or an existing one. It checks
// the fields and fills a copy of the card; the caller stores it (as one undoable step).
class CTavAddrEditDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    // How the dialog was left with OK: the card replaces the edited one, or is stored as a new
    // card ("追加保存" on an existing card, and every new card).
    enum class Save
    {
        Update,
        AddNew
    };

    static inline const QString kNewTitle = QStringLiteral("アドレス新規作成ダイアログ");
    static inline const QString kEditTitle = QStringLiteral("アドレス編集ダイアログ");
    static inline const QString kPhoneSection = QStringLiteral("CustomLabel");
    static inline const QString kSheetMissing = QStringLiteral(
        "リンクされた手書きメモが見つかりません。\n削除された可能性があります。\nリンクを解除しますか？");

    // A new card starts from NewCard's defaults; an existing one from its stored fields.
    CTavAddrEditDlg(CTavApp& app, const CTavDbAddrRecord& card, bool isNew, QWidget* parent = nullptr);

    // A new card with the user's default phone labels and usual contact, filed under the
    // category the address list shows (unfiled while it shows all).
    static CTavDbAddrRecord NewCard(CTavApp& app);

    const CTavDbAddrRecord& Card() const { return m_card; }
    Save SaveMode() const { return m_save; }

    // The controls, for the window tests. FieldEdit is null for the note.
    QLineEdit* FieldEdit(CTavDbAddrRecord::Field field) const { return m_edits.at(field); }
    QPlainTextEdit* NoteEdit() const { return m_note; }
    QComboBox* PhoneLabelBox(int slot) const { return m_phoneLabels.at(slot); }
    QRadioButton* UsualContactButton(int slot) const { return m_usual.at(slot); }
    QComboBox* CategoryBox() const { return m_category; }
    QCheckBox* PrivateBox() const { return m_private; }
    QLabel* ThumbnailWell() const { return m_thumbWell; }
    QPushButton* ThumbnailPickButton() const { return m_thumbPick; }
    QPushButton* ThumbnailClearButton() const { return m_thumbClear; }
    QLabel* SheetLabel() const { return m_sheetLabel; }
    QPushButton* SheetPickButton() const { return m_sheetPick; }
    QPushButton* SheetUnlinkButton() const { return m_sheetUnlink; }
    // "上書き保存" and "追加保存": null for a new card.
    QPushButton* OverwriteButton() const { return m_overwrite; }
    QPushButton* AddNewButton() const { return m_addNew; }

    // Asks whether to drop a link to a memo sheet that is gone; exec does so before it shows.
    void CheckSheetLink();
    int exec() override;
    void accept() override;

private:
    void buildNameBox(QWidget* box);
    void buildPhoneBox(QWidget* box);
    void buildAddressBox(QWidget* box);
    void buildCustomBox(QWidget* box);
    void buildLayout();
    void setTabOrder();
    void showCard();
    void showThumbnail();
    void showSheet();
    void pickThumbnail();
    void clearThumbnail();
    void pickSheet();
    void unlinkSheet();
    // The dialog's fields in a copy of the card.
    CTavDbAddrRecord collect() const;
    // The checks of OK; false (the user was told) when the card cannot be saved.
    bool check(const CTavDbAddrRecord& card);
    void finish(Save mode);

    CTavApp& m_app;
    CTavDbAddrRecord m_card;
    // The picture the card will have (chosen or cleared here, written on OK).
    CTavDbAddrRecord m_picture;
    QString m_sheet;
    bool m_isNew;
    Save m_save = Save::Update;

    std::array<QLineEdit*, CTavDbAddrRecord::FieldCount> m_edits{};
    std::array<QComboBox*, CTavDbAddrRecord::kPhoneCount> m_phoneLabels{};
    std::array<QRadioButton*, CTavDbAddrRecord::kPhoneCount> m_usual{};
    QButtonGroup* m_usualGroup;
    QPlainTextEdit* m_note;
    QComboBox* m_category;
    QCheckBox* m_private;
    QLabel* m_thumbWell;
    QPushButton* m_thumbPick;
    QPushButton* m_thumbClear;
    QLabel* m_sheetLabel;
    QPushButton* m_sheetPick;
    QPushButton* m_sheetUnlink;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_overwrite = nullptr;
    QPushButton* m_addNew = nullptr;
};
