#include "CTavScEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "CTavApp.h"
#include "CTavComUtil.h"
#include "CTavDbDate.h"
#include "CTavDbText.h"
#include "CTavDbUser.h"
#include "CTavScColorDlg.h"
#include "CTavScDatePickDlg.h"
#include "CTavScIconDlg.h"
#include "CTavScRepeatDlg.h"
#include "CTavScRepeatScopeDlg.h"
#include "CTavScSeriesMove.h"
#include "CTavScTimeEdit.h"
#include "CTavSheetLink.h"
#include "ScheduleState.h"

namespace {
QWidget* hbox(QWidget* parent, const QList<QWidget*>& widgets, bool stretch = true)
{
    auto* w = new QWidget(parent);
    auto* layout = new QHBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* child : widgets)
        layout->addWidget(child);
    if (stretch)
        layout->addStretch();
    return w;
}

// The colour, icon and memo-sheet rows start with a box of this width, so that their buttons
// line up under each other.
constexpr int kLookLeadWidth = 100;

QWidget* leading(QWidget* parent, QWidget* child)
{
    auto* holder = new QWidget(parent);
    holder->setFixedWidth(kLookLeadWidth);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
    layout->addStretch();
    return holder;
}

QColor fromColorRef(uint32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
} // namespace

CTavScEditDlg::CTavScEditDlg(ScheduleState& state, QWidget* parent)
    : CTavDialogBase(parent), m_state(state), m_title(new QLineEdit(this)), m_date(new QDateEdit(this)),
      m_start(new CTavScTimeEdit(this)), m_end(new CTavScTimeEdit(this)),
      m_untimed(new QCheckBox(QStringLiteral("時間指定なし(&N)"), this)), m_repeatText(new QLabel(this)),
      m_repeatButton(new QPushButton(QStringLiteral("変更..."), this)),
      m_alarm(new QCheckBox(QStringLiteral("アラーム(&A):"), this)), m_advance(new QSpinBox(this)),
      m_unit(new QComboBox(this)), m_private(new QCheckBox(QStringLiteral("プライベート(&P)"), this)),
      m_swatch(new QLabel(this)), m_colorButton(new QPushButton(QStringLiteral("選択..."), this)),
      m_icon(new QLabel(this)), m_iconButton(new QPushButton(QStringLiteral("選択..."), this)),
      m_iconClear(new QPushButton(QStringLiteral("解除"), this)), m_sheetName(new QLabel(this)),
      m_sheetButton(new QPushButton(QStringLiteral("選択..."), this)),
      m_sheetClear(new QPushButton(QStringLiteral("解除"), this)), m_note(new QPlainTextEdit(this)),
      m_clipboard(new QPlainTextEdit(this))
{
    m_date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_date->setDateRange(CTavDbTime::firstDate(), CTavDbTime::lastDate());
    auto* dateButton = new QToolButton(this);
    dateButton->setText(QStringLiteral("..."));
    dateButton->setObjectName(QStringLiteral("datePickButton"));
    connect(dateButton, &QToolButton::clicked, this, [this] {
        CTavScDatePickDlg dialog(m_date->date(), m_state.startDayOfWeek, &m_state.Store(), this);
        if (dialog.exec() == QDialog::Accepted)
            m_date->setDate(dialog.Date());
    });
    connect(m_untimed, &QCheckBox::toggled, this, &CTavScEditDlg::UpdateEnabled);
    connect(m_alarm, &QCheckBox::toggled, this, &CTavScEditDlg::UpdateEnabled);
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (CTavDbText::mbLength(text) > CTavDbDateRecord::kMaxDescBytes)
            m_title->setText(m_lastTitle);
        m_lastTitle = m_title->text();
    });
    connect(m_note, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_note->toPlainText();
        if (CTavDbText::mbLength(text) > CTavDbDateRecord::kMaxNoteBytes) {
            m_note->blockSignals(true);
            m_note->setPlainText(m_lastNote);
            m_note->moveCursor(QTextCursor::End);
            m_note->blockSignals(false);
            return;
        }
        m_lastNote = text;
    });
    m_clipboard->setReadOnly(true);
    m_clipboard->setPlainText(CTavComUtil::GetTextFromClipboard());
    m_clipboard->setMaximumHeight(60);
    m_note->setMinimumHeight(80);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("タイトル(&T):"), m_title);
    form->addRow(QStringLiteral("日付:"), hbox(this, {m_date, dateButton}));
    form->addRow(QStringLiteral("時間:"),
                 hbox(this, {m_start, new QLabel(QStringLiteral("～"), this), m_end, m_untimed}));
    form->addRow(QStringLiteral("定期的な予定:"), MakeRepeatRow());
    form->addRow(m_alarm, MakeAlarmRow());
    form->addRow(QString(), m_private);
    form->addRow(QStringLiteral("予定の背景色:"), hbox(this, {leading(this, m_swatch), m_colorButton}));
    form->addRow(QStringLiteral("アイコン:"), hbox(this, {leading(this, m_icon), m_iconButton, m_iconClear}));
    form->addRow(QStringLiteral("手書きメモ:"), hbox(this, {m_sheetName, m_sheetButton, m_sheetClear}));
    form->addRow(QStringLiteral("コメント(&M):"), m_note);
    form->addRow(QStringLiteral("クリップボードの内容(&B):"), m_clipboard);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavScEditDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    MakeLookRow();
    resize(480, 560);
}

QWidget* CTavScEditDlg::MakeRepeatRow()
{
    connect(m_repeatButton, &QPushButton::clicked, this, &CTavScEditDlg::PickRepeat);
    return hbox(this, {m_repeatText, m_repeatButton});
}

QWidget* CTavScEditDlg::MakeAlarmRow()
{
    m_advance->setRange(0, CTavDbDateRecord::kMaxAlarmAdvance);
    // An emptied count reads 0 at once, not the number it held before.
    if (auto* edit = m_advance->findChild<QLineEdit*>())
        connect(edit, &QLineEdit::textEdited, m_advance, [edit](const QString& text) {
            if (text.isEmpty() || text.startsWith(u'-'))
                edit->setText(QStringLiteral("0"));
        });
    m_unit->addItems({QStringLiteral("分前"), QStringLiteral("時間前"), QStringLiteral("日前")});
    return hbox(this, {m_advance, m_unit});
}

QWidget* CTavScEditDlg::MakeLookRow()
{
    m_swatch->setFixedSize(40, 20);
    m_icon->setFixedSize(34, 34);
    m_sheetName->setFixedWidth(kLookLeadWidth);
    m_icon->setFrameShape(QFrame::StyledPanel);
    m_icon->setAlignment(Qt::AlignCenter);
    connect(m_colorButton, &QPushButton::clicked, this, &CTavScEditDlg::PickColor);
    connect(m_iconButton, &QPushButton::clicked, this, &CTavScEditDlg::PickIcon);
    connect(m_iconClear, &QPushButton::clicked, this, [this] {
        m_iconName.clear();
        m_iconId = 0;
        ShowIcon();
    });
    connect(m_sheetButton, &QPushButton::clicked, this, &CTavScEditDlg::PickSheet);
    connect(m_sheetClear, &QPushButton::clicked, this, [this] {
        m_sheet.clear();
        ShowSheet();
    });
    return nullptr;
}

void CTavScEditDlg::SetRecord(CTavDbDateRecord* record, bool existing)
{
    m_record = record;
    m_original = *record;
    m_existing = existing;
    FillControls();
}

void CTavScEditDlg::FillControls()
{
    const CTavDbDateRecord& r = *m_record;
    m_title->setText(r.GetDesc());
    m_lastTitle = r.GetDesc();
    // A repeating event opens on the occurrence that was selected.
    m_shownDate = r.GetStartDate();
    if (m_existing && r.IsRepeating() && m_state.selectedEventDate != 0)
        m_shownDate = CTavDbTime::toDate(m_state.selectedEventDate);
    m_date->setDate(m_shownDate);
    QTime start = CTavDbTime::toTime(r.GetStartTime());
    if (r.GetIsUntimed())
        start = QTime(9, 0);
    QTime end = CTavDbTime::toTime(r.GetEndTime());
    // A stored event that ends as it starts (a moment) keeps its end; a new one gets an hour.
    const bool usable =
        !r.GetIsUntimed() &&
        (m_existing ? r.GetEndTime() >= r.GetStartTime() : r.GetEndTime() > r.GetStartTime()) &&
        CTavDbTime::toDate(r.GetEndTime()) == r.GetStartDate();
    if (!usable)
        end = start.hour() >= 23 ? QTime(23, 55) : QTime(start.hour() + 1, start.minute());
    m_start->setTime(start);
    m_end->setTime(end);
    m_untimed->setChecked(r.GetIsUntimed());
    SetRule(CTavScRepeatRule::FromRecord(r));
    m_ruleDay = m_shownDate;
    m_private->setChecked(r.GetIsPrivate());
    m_alarm->setChecked(r.GetIsAlarmSet());
    m_advance->setValue(r.GetIsAlarmSet() ? qBound(0, r.GetAlarmAdvance(), 99) : 5);
    m_unit->setCurrentIndex(qBound(0, r.GetAlarmUnit(), 2));
    r.GetTextColor(m_colorSet, m_color);
    uint32_t type = 0;
    r.GetIcon(m_iconName, type, m_iconId);
    m_sheet = r.GetSheetName();
    ShowSheet();
    // A longer note than the handheld keeps is cut, not emptied, by the limit of the field.
    m_lastNote = CTavDbText::truncateToBytes(r.GetNote(), CTavDbDateRecord::kMaxNoteBytes);
    m_note->setPlainText(r.GetNote());
    ShowColor();
    ShowIcon();
    UpdateEnabled();
    // What the controls show now, to tell later whether anything was changed.
    m_baseline = m_original;
    WriteFields(m_baseline, m_shownDate, m_ruleDay);
}

void CTavScEditDlg::SetRule(const CTavScRepeatRule& rule)
{
    m_rule = rule;
    m_repeatText->setText(rule.kind == CTavScRepeatRule::None ? QStringLiteral("なし")
                                                              : QStringLiteral("あり"));
}

void CTavScEditDlg::UpdateEnabled()
{
    m_start->setEnabled(!m_untimed->isChecked());
    m_end->setEnabled(!m_untimed->isChecked());
    m_advance->setEnabled(m_alarm->isChecked());
    m_unit->setEnabled(m_alarm->isChecked());
}

void CTavScEditDlg::ShowColor()
{
    const QColor c = fromColorRef(m_colorSet ? m_color : 0xFFFFFF);
    m_swatch->setStyleSheet(QStringLiteral("background: %1; border: 1px solid #808080;").arg(c.name()));
}

void CTavScEditDlg::ShowIcon()
{
    const QImage image =
        m_iconId ? m_state.IconImage(m_iconName, CTavDbDateRecord::kIconType, m_iconId) : QImage();
    m_icon->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

void CTavScEditDlg::ShowSheet()
{
    const QString text = m_sheet.isEmpty() ? QStringLiteral("(なし)") : m_sheet;
    m_sheetName->setText(m_sheetName->fontMetrics().elidedText(text, Qt::ElideRight, kLookLeadWidth));
    m_sheetName->setToolTip(m_sheet);
}

void CTavScEditDlg::PickColor()
{
    CTavScColorDlg dialog(m_colorSet, m_color, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_colorSet = dialog.IsSet();
    m_color = dialog.IsSet() ? dialog.Color() : 0xFFFFFF;
    ShowColor();
}

void CTavScEditDlg::PickIcon()
{
    CTavScIconDlg dialog(m_state.Icons(), m_iconName, m_iconId, this);
    if (dialog.exec() != QDialog::Accepted || dialog.SelectedId() == 0)
        return;
    m_iconName = dialog.SelectedName();
    m_iconId = dialog.SelectedId();
    ShowIcon();
}

void CTavScEditDlg::PickSheet()
{
    const std::optional<QString> sheet = CTavSheetLink::Choose(m_state.App(), m_sheet, this, m_date->date());
    if (!sheet)
        return;
    m_sheet = *sheet;
    ShowSheet();
}

void CTavScEditDlg::PickRepeat()
{
    CTavScRepeatDlg dialog(this);
    const QDate day = m_date->date();
    dialog.Set(QStringLiteral("定期的な予定"), day, m_rule.MovedTo(m_ruleDay, day));
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetRule(dialog.Rule());
    m_ruleDay = day;
}

void CTavScEditDlg::Warn(const QString& text)
{
    m_state.App().ShowMessage(this, text, QString(), TavMsg::Ok | TavMsg::IconExclamation);
}

bool CTavScEditDlg::Validate()
{
    if (m_title->text().isEmpty()) {
        Warn(QStringLiteral(
            "予定の内容が入力されていません。タイトルを入力して[OK]ボタンをクリックしてください。"));
        return false;
    }
    if (!m_untimed->isChecked() && m_end->time() < m_start->time()) {
        Warn(QStringLiteral("開始時刻以前の時刻を終了時刻に入力しました。終了時刻を有効な値にするか、[ｷｬﾝｾﾙ]"
                            "ボタンをクリックしてください。"));
        return false;
    }
    if (m_rule.kind != CTavScRepeatRule::None && m_rule.hasEnd && m_rule.endDate < m_date->date()) {
        Warn(QStringLiteral("入力した日付は無効です。終了日には開始日以降の日付を指定してください。"));
        return false;
    }
    return true;
}

void CTavScEditDlg::WriteFields(CTavDbDateRecord& r, const QDate& day, const QDate& ruleDay) const
{
    const QTime start(m_start->time().hour(), m_start->time().minute());
    const QTime end(m_end->time().hour(), m_end->time().minute());
    r.SetStartTime(CTavDbTime::fromDateAndTime(day, start));
    r.SetEndTime(CTavDbTime::fromDateAndTime(day, end));
    r.SetUntimed(m_untimed->isChecked());
    m_rule.MovedTo(ruleDay, day).ToRecord(r, day, ScheduleState::ReadStartDayOfWeek());
    r.SetPrivate(m_private->isChecked());
    r.SetAlarm(m_alarm->isChecked());
    r.SetAlarmAdvance(m_advance->value());
    r.SetAlarmUnit(m_unit->currentIndex());
    r.SetTextColor(m_colorSet, m_color);
    r.SetIcon(m_iconName, CTavDbDateRecord::kIconType, m_iconId);
    r.SetSheetName(m_sheet);
    r.SetNote(m_note->toPlainText());
    r.SetDesc(m_title->text());
}

void CTavScEditDlg::accept()
{
    if (!m_record || !Validate())
        return;
    QDate shown = m_date->date();
    if (!m_existing || !m_original.IsRepeating()) {
        WriteFields(*m_record, shown, m_ruleDay);
    } else if (!SplitRepeating(shown)) {
        return;
    }
    if (shown != m_state.CurrentDay())
        m_state.GoToDate(shown);
    CTavDialogBase::accept();
}

bool CTavScEditDlg::SplitRepeating(QDate& shown)
{
    const QDate day = m_date->date();
    CTavDbDateRecord edited = m_original;
    WriteFields(edited, day, m_ruleDay);
    if (edited.IsEqualPdt(m_baseline) && edited.GetIsPrivate() == m_baseline.GetIsPrivate())
        return true;

    const int scope = m_state.AskScope(this);
    if (scope == CTavScRepeatScopeDlg::Cancel) {
        reject();
        return false;
    }
    const QDate occurrence = m_shownDate;
    if (scope == CTavScRepeatScopeDlg::All && !edited.IsRepeating()) {
        // No rule left: the one event is where the editor shows it.
        WriteFields(*m_record, day, m_ruleDay);
        m_record->SetExceptions({});
        return true;
    }
    if (scope == CTavScRepeatScopeDlg::All) {
        // The rule as the editor shows it on the new day; the series moves along with it.
        WriteFields(*m_record, day, m_ruleDay);
        // A rule by weekday of the month stays as it was; the start finds its first day.
        if (m_original.GetMyBrand() == CTavDbDateRecord::RepeatMonthlyByWeekday &&
            m_record->GetMyBrand() == CTavDbDateRecord::RepeatMonthlyByWeekday) {
            m_record->SetDayIndex(m_original.GetDayIndex());
            m_record->SetWeekIndex(m_original.GetWeekIndex());
        }
        CTavScSeriesMove::Apply(*m_record, m_original, m_shownDate, day);
        return true;
    }
    if (!m_state.CheckLimit(this, QStringLiteral("予定の編集")))
        return false;
    // Only this occurrence: a single event on the picked day. This and future: the rule goes on
    // from the occurrence.
    const bool single = scope == CTavScRepeatScopeDlg::ThisOnly;
    shown = single ? day : occurrence;
    CTavDbDateRecord added;
    added.SetCategoryID(m_original.GetCategoryID());
    WriteFields(added, shown, m_ruleDay);
    if (single)
        CTavScRepeatRule().ToRecord(added, day, ScheduleState::ReadStartDayOfWeek());
    else
        added.SetExceptions(
            CTavScSeriesMove::Exceptions(added, m_original, occurrence, occurrence, occurrence));
    if (m_state.AddEvent(this, added) != TavStatusCode::Ok)
        return false;
    m_splitOffId = added.GetUniqueId();
    *m_record = m_original;
    if (single)
        m_record->AddException(occurrence);
    else
        m_record->SetEndDate(CTavDbTime::fromDateAndTime(occurrence.addDays(-1), QTime(23, 59, 59)));
    m_state.selectedEvent = nullptr;
    return true;
}
