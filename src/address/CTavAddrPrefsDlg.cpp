#include "CTavAddrPrefsDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "CTavAddrEditDlg.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbText.h"
#include "CTavModuleDoc.h"
#include "CTavProfile.h"

CTavAddrPrefsDlg::CTavAddrPrefsDlg(CTavApp& app, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_slotGroup(new QButtonGroup(this)), m_usualText(new QLabel(this)),
      m_defaults(new QPushButton(QStringLiteral("デフォルトに戻す"), this))
{
    setWindowTitle(kTitle);
    // The defaults of new cards, as a new card would start now.
    const CTavDbAddrRecord defaults = CTavAddrEditDlg::NewCard(app);

    auto* phones = new QGroupBox(QStringLiteral("標準連絡先"), this);
    auto* phoneGrid = new QGridLayout(phones);
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot) {
        auto* button = new QRadioButton(QStringLiteral("電話%1").arg(slot + 1), phones);
        button->setProperty("controlId", 1000 + slot);
        m_slotGroup->addButton(button, slot + 1);
        auto* labels = new QComboBox(phones);
        labels->setProperty("controlId", 1033 + slot);
        labels->setAccessibleName(QStringLiteral("電話%1のラベル").arg(slot + 1));
        for (int id = 0; id < CTavDbAddrRecord::kPhoneLabelCount; ++id)
            labels->addItem(CTavDbAddr::GetPhoneLabelName(id));
        labels->setCurrentIndex(defaults.GetPhoneLabelID(slot));
        labels->setMinimumWidth(240);
        connect(labels, &QComboBox::currentIndexChanged, this, &CTavAddrPrefsDlg::showUsualText);
        phoneGrid->addWidget(button, slot, 0);
        phoneGrid->addWidget(labels, slot, 1);
        m_slots[slot] = button;
        m_labels[slot] = labels;
    }
    m_slotGroup->button(defaults.GetDisplayPhone())->setChecked(true);
    connect(m_slotGroup, &QButtonGroup::idToggled, this, &CTavAddrPrefsDlg::showUsualText);
    m_usualText->setProperty("controlId", 1032);
    m_usualText->setTextFormat(Qt::PlainText);
    // Room for the longest label, so that the dialog keeps its size while the text changes.
    m_usualText->setMinimumWidth(
        m_usualText->fontMetrics().horizontalAdvance(QStringLiteral("ポケベルは通常使用する連絡先です。")) +
        8);
    phoneGrid->addWidget(m_usualText, CTavDbAddrRecord::kPhoneCount, 0, 1, 2);
    phoneGrid->setColumnStretch(1, 1);

    auto* custom = new QGroupBox(QStringLiteral("カスタムラベル"), this);
    auto* customGrid = new QGridLayout(custom);
    const QStringList current = app.AddrStore().GetCustomLabels();
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i) {
        auto* edit = new QLineEdit(current.value(i), custom);
        edit->setProperty("controlId", 1009 + i);
        edit->setMinimumWidth(240);
        auto* label = new QLabel(QStringLiteral("ラベル%1:").arg(i + 1), custom);
        label->setBuddy(edit);
        customGrid->addWidget(label, i, 0);
        customGrid->addWidget(edit, i, 1);
        m_custom[i] = edit;
    }
    auto* hint = new QLabel(QStringLiteral("半角15文字(全角7文字)まで"), custom);
    hint->setEnabled(false);
    customGrid->addWidget(hint, CTavDbAddrRecord::kCustomCount, 1);
    customGrid->setColumnStretch(1, 1);

    m_defaults->setProperty("controlId", 3);
    m_defaults->setAutoDefault(false);
    connect(m_defaults, &QPushButton::clicked, this, &CTavAddrPrefsDlg::RestoreDefaults);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->addButton(m_defaults, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavAddrPrefsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavAddrPrefsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(phones);
    layout->addWidget(custom);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    showUsualText();
}

void CTavAddrPrefsDlg::showUsualText()
{
    // The text names the usual contact's label, whichever control changed it.
    const int slot = m_slotGroup->checkedId() - 1;
    if (slot < 0)
        return;
    m_usualText->setText(m_labels[slot]->currentText() + QStringLiteral("は通常使用する連絡先です。"));
}

void CTavAddrPrefsDlg::RestoreDefaults()
{
    const QStringList labels = CTavDbAddr::DefaultCustomLabels();
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i)
        m_custom[i]->setText(labels.value(i));
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        m_labels[slot]->setCurrentIndex(slot);
    m_slots[0]->setChecked(true);
    showUsualText();
}

bool CTavAddrPrefsDlg::save()
{
    QStringList labels;
    for (int i = 0; i < CTavDbAddrRecord::kCustomCount; ++i) {
        const QString text = m_custom[i]->text();
        if (CTavDbText::mbLength(text) > CTavDbAddr::kMaxCustomLabelBytes) {
            m_app.ShowMessage(this, QStringLiteral("カスタムラベルは15文字以内で入力してください"), QString(),
                              TavMsg::IconExclamation);
            m_custom[i]->setFocus();
            m_custom[i]->selectAll();
            return false;
        }
        labels << (text.isEmpty() ? QStringLiteral("カスタムラベル%1").arg(i + 1) : text);
    }
    CTavDbAddr& store = m_app.AddrStore();
    const auto edit = [&] { return store.SetCustomLabels(labels); };
    CTavModuleDoc* doc = m_app.Document(TavSlot::Address);
    const TavStatus status = doc ? doc->RunEdit(store, kUndoText, edit) : edit();
    if (status != TavStatusCode::Ok) {
        m_app.ShowMessage(this, QStringLiteral("カスタムラベルを保存できませんでした。"), QString(),
                          TavMsg::IconExclamation);
        return false;
    }
    const QString& section = CTavAddrEditDlg::kPhoneSection;
    bool written =
        CTavProfile::WriteProfileInt(section, QStringLiteral("defphone"), m_slotGroup->checkedId());
    for (int slot = 0; slot < CTavDbAddrRecord::kPhoneCount; ++slot)
        written = CTavProfile::WriteProfileInt(section, QStringLiteral("defphonelabel%1").arg(slot),
                                               m_labels[slot]->currentIndex()) &&
                  written;
    if (!written)
        m_app.ShowMessage(this,
                          QStringLiteral("新しいアドレスの標準連絡先を設定ファイルに保存できませんでした。"),
                          QString(), TavMsg::IconExclamation);
    return true;
}

void CTavAddrPrefsDlg::accept()
{
    if (save())
        CTavDialogBase::accept();
}
