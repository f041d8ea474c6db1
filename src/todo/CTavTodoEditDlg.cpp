#include "CTavTodoEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavApp.h"
#include "CTavComUtil.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "CTavSheetLink.h"
#include "CTavSyncLock.h"
#include "CTavTodoDateBox.h"

namespace {
QWidget* row(QWidget* parent, const QList<QWidget*>& widgets)
{
    auto* w = new QWidget(parent);
    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* child : widgets)
        layout->addWidget(child);
    layout->addStretch();
    return w;
}
} // namespace

CTavTodoEditDlg::CTavTodoEditDlg(CTavApp& app, const CTavDbTodoRecord& task, bool isNew, QWidget* parent)
    : CTavDialogBase(parent), m_app(app), m_task(task), m_sheet(task.GetQuilloName()),
      m_title(new QLineEdit(this)), m_priority(new QComboBox(this)), m_start(new CTavTodoDateBox(this)),
      m_due(new CTavTodoDateBox(this)), m_repeatText(new QLabel(this)),
      m_repeat(new QPushButton(QStringLiteral("設定(&S)"), this)), m_category(new QComboBox(this)),
      m_private(new QCheckBox(QStringLiteral("プライベート(&P)"), this)), m_sheetLabel(new QLabel(this)),
      m_sheetPick(new QPushButton(QStringLiteral("指定(&F)"), this)),
      m_sheetUnlink(new QPushButton(QStringLiteral("指定解除(&E)"), this)), m_note(new QPlainTextEdit(this)),
      m_clipboard(new QPlainTextEdit(this)), m_clipboardClear(new QPushButton(QStringLiteral("クリア"), this))
{
    setWindowTitle(isNew ? kNewTitle : kEditTitle);
    for (int p = CTavDbTodoRecord::kMinPriority; p <= CTavDbTodoRecord::kMaxPriority; ++p)
        m_priority->addItem(QString::number(p));
    for (const CTavDbCategory& c : app.TodoStore().GetCategories())
        m_category->addItem(c.GetName(), c.GetID());
    const std::pair<QWidget*, int> ids[] = {
        {m_title, 1009},      {m_priority, 1033},      {m_start, 1034},       {m_due, 1035},
        {m_repeatText, 1148}, {m_repeat, 1072},        {m_category, 1036},    {m_private, 1008},
        {m_sheetLabel, 1074}, {m_sheetPick, 1070},     {m_sheetUnlink, 1071}, {m_note, 1010},
        {m_clipboard, 1012},  {m_clipboardClear, 1182}};
    for (const auto& [widget, id] : ids)
        widget->setProperty("controlId", id);
    m_sheetLabel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_sheetLabel->setMinimumWidth(160);
    m_sheetLabel->setTextFormat(Qt::PlainText);
    m_note->setTabChangesFocus(true);
    m_note->setMinimumHeight(m_note->fontMetrics().lineSpacing() * 5 + 12);
    m_clipboard->setReadOnly(true);
    m_clipboard->setTabChangesFocus(true);
    m_clipboard->setPlainText(CTavComUtil::GetTextFromClipboard());
    m_clipboard->setMaximumHeight(m_clipboard->fontMetrics().lineSpacing() * 3 + 12);
    for (QPushButton* b : {m_repeat, m_sheetPick, m_sheetUnlink, m_clipboardClear})
        b->setAutoDefault(false);

    connect(m_start, &CTavTodoDateBox::dateChanged, this, &CTavTodoEditDlg::updateRepeat);
    connect(m_due, &CTavTodoDateBox::dateChanged, this, &CTavTodoEditDlg::updateRepeat);
    connect(m_repeat, &QPushButton::clicked, this,
            [this] { m_app.ShowMessage(this, kRepeatNote, windowTitle(), TavMsg::IconInformation); });
    connect(m_sheetPick, &QPushButton::clicked, this, &CTavTodoEditDlg::pickSheet);
    connect(m_sheetUnlink, &QPushButton::clicked, this, [this] {
        m_sheet.clear();
        showSheet();
    });
    connect(m_clipboardClear, &QPushButton::clicked, m_clipboard, &QPlainTextEdit::clear);

    buildLayout();
    showTask();
    m_title->setFocus();
}

CTavDbTodoRecord CTavTodoEditDlg::NewTask(CTavApp& app, uint32_t categoryFilter)
{
    CTavDbTodoRecord task;
    task.SetPriority(CTavDbTodoRecord::kMinPriority);
    const bool known = categoryFilter != CTavDbPcRecord::kAllCategories &&
                       app.TodoStore().FindCategoryById(categoryFilter) != nullptr;
    task.SetCategoryID(known ? categoryFilter : CTavDbPcRecord::kUnfiled);
    return task;
}

void CTavTodoEditDlg::buildLayout()
{
    auto* heading = new QLabel(QStringLiteral("ToDo の入力"), this);
    heading->setProperty("controlId", 1193);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const auto add = [&](const QString& text, QWidget* field, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        form->addRow(label, field);
    };
    add(QStringLiteral("タイトル(&T):"), m_title, m_title);
    add(QStringLiteral("優先度:"),
        row(this, {m_priority, new QLabel(QStringLiteral("（1～5を選択）"), this)}), m_priority);
    add(QStringLiteral("開始（年月日）:"), row(this, {m_start}), m_start);
    add(QStringLiteral("期日（年月日）:"), row(this, {m_due}), m_due);
    add(QStringLiteral("定期的なToDo:"), row(this, {m_repeatText, m_repeat}), m_repeat);
    add(QStringLiteral("カテゴリ:"), row(this, {m_category, m_private}), m_category);
    add(QStringLiteral("手書きメモ:"), row(this, {m_sheetLabel, m_sheetPick, m_sheetUnlink}), m_sheetPick);
    add(QStringLiteral("コメント(&M):"), m_note, m_note);
    auto* clipboardRow = new QWidget(this);
    auto* clipboardLayout = new QHBoxLayout(clipboardRow);
    clipboardLayout->setContentsMargins(0, 0, 0, 0);
    clipboardLayout->addWidget(m_clipboard, 1);
    clipboardLayout->addWidget(m_clipboardClear, 0, Qt::AlignTop);
    add(QStringLiteral("クリップボードの内容(&B):"), clipboardRow, m_clipboard);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavTodoEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(form, 1);
    layout->addWidget(buttons);
    resize(520, sizeHint().height());
}

void CTavTodoEditDlg::showTask()
{
    m_title->setText(m_task.GetDesc());
    m_priority->setCurrentIndex(
        qBound(CTavDbTodoRecord::kMinPriority, m_task.GetPriority(), CTavDbTodoRecord::kMaxPriority) - 1);
    m_start->SetDate(m_task.GetStartDate());
    m_due->SetDate(m_task.GetDueDate());
    const int category = m_category->findData(m_task.GetCategoryID());
    m_category->setCurrentIndex(category < 0 ? 0 : category);
    m_private->setChecked(m_task.GetIsPrivate());
    m_note->setPlainText(m_task.GetNote());
    showSheet();
    updateRepeat();
}

void CTavTodoEditDlg::showSheet()
{
    m_sheetLabel->setText(m_sheet.isEmpty() ? QStringLiteral("(なし)") : m_sheet);
    m_sheetUnlink->setEnabled(!m_sheet.isEmpty());
}

void CTavTodoEditDlg::updateRepeat()
{
    // A task repeats only on the handheld; the record keeps no rule.
    m_repeatText->setText(QStringLiteral("なし"));
    m_repeat->setEnabled(m_start->Date() < maxDateTime || m_due->Date() < maxDateTime);
}

void CTavTodoEditDlg::pickSheet()
{
    if (const std::optional<QString> sheet = CTavSheetLink::Choose(m_app, m_sheet, this)) {
        m_sheet = *sheet;
        showSheet();
    }
}

void CTavTodoEditDlg::warn(const QString& text)
{
    m_app.ShowMessage(this, text, windowTitle(), TavMsg::IconExclamation);
}

bool CTavTodoEditDlg::check()
{
    const int titleBytes = CTavDbTodoRecord::TextBytes(m_title->text());
    if (titleBytes == 0) {
        warn(
            QStringLiteral("件名が入力されていません。タイトルを入力して[OK]ボタンをクリックしてください。"));
        m_title->setFocus();
        return false;
    }
    if (titleBytes > CTavDbTodoRecord::kMaxDescBytes) {
        warn(QStringLiteral("To Do件名(タイトル:%1バイト)を 1～%2 バイト以内に編集してください。")
                 .arg(titleBytes)
                 .arg(CTavDbTodoRecord::kMaxDescBytes));
        m_title->setFocus();
        return false;
    }
    if (CTavDbTodoRecord::TextBytes(m_note->toPlainText()) > CTavDbTodoRecord::kMaxNoteBytes) {
        warn(QStringLiteral("コメントを4Kバイト以内に編集してください。"));
        m_note->setFocus();
        return false;
    }
    // Both boxes hold the start of their day: a later start day is the only refusal.
    if (m_start->Date() < maxDateTime && m_due->Date() < maxDateTime && m_start->Date() > m_due->Date()) {
        warn(QStringLiteral("期日が開始日の前です。"));
        m_due->setFocus();
        return false;
    }
    return true;
}

int CTavTodoEditDlg::exec()
{
    CTavSyncLock lock(m_app);
    return CTavDialogBase::exec();
}

void CTavTodoEditDlg::accept()
{
    if (!check())
        return;
    m_task.SetDesc(m_title->text());
    m_task.SetNote(m_note->toPlainText());
    m_task.SetDueDate(m_due->Date());
    m_task.SetPriority(m_priority->currentIndex() + 1);
    m_task.SetCategoryID(m_category->currentData().toUInt());
    m_task.SetStartDate(m_start->Date());
    m_task.SetPrivate(m_private->isChecked());
    m_task.SetQuilloName(m_sheet);
    CTavDialogBase::accept();
}

QLineEdit* CTavTodoEditDlg::TitleEdit() const
{
    return m_title;
}

QComboBox* CTavTodoEditDlg::PriorityBox() const
{
    return m_priority;
}

CTavTodoDateBox* CTavTodoEditDlg::StartBox() const
{
    return m_start;
}

CTavTodoDateBox* CTavTodoEditDlg::DueBox() const
{
    return m_due;
}

QComboBox* CTavTodoEditDlg::CategoryBox() const
{
    return m_category;
}

QCheckBox* CTavTodoEditDlg::PrivateBox() const
{
    return m_private;
}

QPlainTextEdit* CTavTodoEditDlg::NoteEdit() const
{
    return m_note;
}

QPushButton* CTavTodoEditDlg::RepeatButton() const
{
    return m_repeat;
}
