#include "CTavMemoDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "CTavDbClock.h"
#include "CTavDbMemo.h"
#include "CTavDbText.h"
#include "CTavFontChoice.h"
#include "TavShowMessage.h"

CTavMemoDlg::CTavMemoDlg(CTavDbMemo& store, QWidget* parent)
    : CTavDialogBase(parent), m_store(store), m_edit(new QPlainTextEdit(this)),
      m_category(new QComboBox(this)), m_private(new QCheckBox(QStringLiteral("プライベート(&P)"), this)),
      m_counter(new QLabel(this)), m_new(new QPushButton(QStringLiteral("新規"), this))
{
    setWindowTitle(QStringLiteral("新規メモ"));
    m_edit->setObjectName(QStringLiteral("memoEdit"));
    m_edit->setProperty("controlId", 1238);
    m_edit->setFont(CTavFontChoice::ListFont(11));
    m_edit->setTabChangesFocus(false);
    m_edit->setMinimumSize(420, 260);
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_category->setProperty("controlId", 1033);
    for (const CTavDbCategory& c : store.GetCategories())
        m_category->addItem(c.GetName(), c.GetID());
    m_private->setObjectName(QStringLiteral("privateBox"));
    m_private->setProperty("controlId", 1008);
    m_counter->setObjectName(QStringLiteral("byteCounter"));
    // Room for the longest count, so that typing never waits on a new layout to show it whole.
    m_counter->setMinimumWidth(m_counter->fontMetrics().horizontalAdvance(CounterText(99999)));
    m_counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_new->setObjectName(QStringLiteral("newButton"));
    m_new->setProperty("controlId", 3);
    m_new->setAutoDefault(false);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CTavMemoDlg::updateCounter);
    connect(m_new, &QPushButton::clicked, this, &CTavMemoDlg::OnNewButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->addButton(m_new, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavMemoDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTavMemoDlg::reject);

    auto* label = new QLabel(QStringLiteral("メモの入力"), this);
    label->setBuddy(m_edit);
    auto* categoryLabel = new QLabel(QStringLiteral("カテゴリ:"), this);
    categoryLabel->setBuddy(m_category);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_counter, 0, 1, 1, 3, Qt::AlignRight);
    layout->addWidget(m_edit, 1, 0, 1, 4);
    layout->addWidget(categoryLabel, 2, 0);
    layout->addWidget(m_category, 2, 1);
    layout->addWidget(m_private, 2, 2);
    layout->setColumnStretch(3, 1);
    layout->addWidget(buttons, 3, 0, 1, 4);
    StartNew(QString(), CTavDbPcRecord::kUnfiled);
}

QString CTavMemoDlg::CounterText(int bytes)
{
    return QStringLiteral("文字入力数：  %1バイト").arg(bytes);
}

QString CTavMemoDlg::OverLimitMessage()
{
    return QStringLiteral("入力が%1バイトを超えています。%2バイト以下に編集してください")
        .arg(kMaxBytes)
        .arg(kMaxBytes);
}

void CTavMemoDlg::StartNew(const QString& text, uint32_t categoryId)
{
    m_editing = false;
    m_record = CTavDbMemoRecord();
    setWindowTitle(kNewTitle);
    m_edit->setPlainText(text);
    const int index = m_category->findData(categoryId);
    m_category->setCurrentIndex(index < 0 ? 0 : index);
    m_private->setChecked(false);
    m_edit->setFocus();
    updateCounter();
}

void CTavMemoDlg::StartEdit(const CTavDbMemoRecord& record)
{
    m_editing = true;
    m_record = record;
    setWindowTitle(kEditTitle);
    m_edit->setPlainText(record.GetMemo());
    const int index = m_category->findData(record.GetCategoryID());
    m_category->setCurrentIndex(index < 0 ? 0 : index);
    m_private->setChecked(record.GetIsPrivate());
    updateCounter();
}

void CTavMemoDlg::updateCounter()
{
    m_counter->setText(CounterText(CTavDbText::mbLength(m_edit->toPlainText())));
}

bool CTavMemoDlg::save()
{
    QString text = m_edit->toPlainText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (CTavDbText::mbLength(text) > kMaxBytes) {
        TavShowMessage(this, OverLimitMessage(), QString(), TavMsg::IconExclamation);
        return false;
    }
    if (text.isEmpty()) {
        TavShowMessage(this, QStringLiteral("メモを入力してください。"), QString(), TavMsg::IconExclamation);
        return false;
    }
    const TavTime now = static_cast<TavTime>(CTavDbClock::NowSeconds());
    CTavDbMemoRecord record = m_record;
    record.SetMemo(text);
    record.SetCategoryID(m_category->currentData().toUInt());
    record.SetPrivate(m_private->isChecked());
    record.SetUpdateDateTime(now);
    if (!m_editing) {
        record.SetCreateDateTime(now);
        if (m_store.AddRecord(record) != TavStatusCode::Ok) {
            TavShowMessage(this, QStringLiteral("メモを追加することが出来ませんでした。"), QString(),
                           TavMsg::IconExclamation);
            return false;
        }
    } else if (m_store.UpdateRecord(record) != TavStatusCode::Ok) {
        TavShowMessage(this, QStringLiteral("メモを更新することが出来ませんでした。"), QString(),
                       TavMsg::IconExclamation);
        return false;
    }
    m_lastSaved = record.GetUniqueId();
    m_record = record;
    m_editing = true;
    return true;
}

void CTavMemoDlg::accept()
{
    if (save())
        CTavDialogBase::accept();
}

void CTavMemoDlg::OnNewButton()
{
    if (!save())
        return;
    const uint32_t category = m_category->currentData().toUInt();
    StartNew(QString(), category);
}
