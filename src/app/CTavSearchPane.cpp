#include "CTavSearchPane.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbDate.h"
#include "CTavDbEnv.h"
#include "CTavDbMemo.h"
#include "CTavDbTodo.h"
#include "CTavDbUser.h"
#include "CTavModuleFrame.h"
#include "CTavSearchHitDelegate.h"
#include "search/CTavDbSearchFields.h"

namespace {
constexpr int kHitRole = Qt::UserRole; // index into the result's hits; -1 for other lines
constexpr int kSnippetBefore = 16;     // characters kept before a match far into its text

// The text around the match on one line: line breaks as spaces, the start cut when far off.
void snippet(const CTavDbSearchHit& hit, QString* text, int* start)
{
    QString flat = hit.text;
    for (QChar& c : flat)
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    *start = hit.start;
    if (hit.start > kSnippetBefore + 4) {
        const int from = hit.start - kSnippetBefore;
        flat = QStringLiteral("…") + flat.mid(from);
        *start = kSnippetBefore + 1;
    }
    *text = flat;
}

bool sameRecord(const CTavDbSearchHit& a, const CTavDbSearchHit& b)
{
    return a.module == b.module && a.recordId == b.recordId && a.filePath == b.filePath;
}
} // namespace

CTavSearchPane::CTavSearchPane(CTavApp& app, QWidget* parent)
    : QDockWidget(QStringLiteral("検索結果"), parent), m_app(app), m_list(new QTreeWidget(this)),
      m_watch(new QTimer(this))
{
    setObjectName(QStringLiteral("searchPane"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    m_list->setObjectName(QStringLiteral("searchResults"));
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(true);
    m_list->setUniformRowHeights(true);
    m_list->setItemDelegate(new CTavSearchHitDelegate(m_list));
    m_list->setMinimumHeight(120);
    setWidget(m_list);
    m_index.SetStores(&app.DateStore(), &app.AddrStore(), &app.TodoStore(), &app.MemoStore());
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (const CTavDbSearchHit* hit = hitOf(item))
            Open(*hit);
    });
    m_watch->setInterval(kWatchMs);
    connect(m_watch, &QTimer::timeout, this, &CTavSearchPane::onWatch);
}

CTavSearchPane::~CTavSearchPane() = default;

void CTavSearchPane::AttachBox(QLineEdit* box)
{
    m_box = box;
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, &CTavSearchPane::SetQuery);
}

bool CTavSearchPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenCurrent();
            return true;
        }
        if (key == Qt::Key_Down && firstHitItem()) {
            if (!m_list->currentItem() || !hitOf(m_list->currentItem()))
                m_list->setCurrentItem(firstHitItem());
            m_list->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (key == Qt::Key_Escape && !m_box->text().isEmpty()) {
            m_box->clear();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void CTavSearchPane::SetQuery(const QString& text)
{
    if (text == m_query)
        return;
    m_query = text;
    m_list->setCurrentItem(nullptr);
    run();
    if (m_query.trimmed().isEmpty()) {
        hide();
        m_watch->stop();
    } else {
        show();
        m_watch->start();
    }
}

void CTavSearchPane::Refresh()
{
    if (m_query.trimmed().isEmpty())
        return;
    run();
}

void CTavSearchPane::run()
{
    const CTavDbSearchHit* current = hitOf(m_list->currentItem());
    const CTavDbSearchHit kept = current ? *current : CTavDbSearchHit();
    const QString userPath = m_app.Users().GetCurrUserPath();
    m_index.SetSheetFolders(userPath.isEmpty() ? QString() : userPath + CTavDbEnv::GetQuillosDir(),
                            userPath.isEmpty() ? QString() : userPath + CTavDbEnv::GetBenriDir());
    // Masked private records are as hidden here as hidden ones. Nothing is folded before the
    // first search.
    m_result = m_query.trimmed().isEmpty() ? CTavDbSearchResult()
                                           : m_index.Find(m_query, m_app.privateMode() == 0, kHitsPerModule);
    fill();
    if (kept.module == 0)
        return;
    for (QTreeWidgetItemIterator it(m_list); *it; ++it) {
        if (const CTavDbSearchHit* hit = hitOf(*it); hit && sameRecord(*hit, kept)) {
            m_list->setCurrentItem(*it);
            break;
        }
    }
}

void CTavSearchPane::fill()
{
    m_list->clear();
    int next = 0;
    for (int module = TavSearchModule::First; module <= TavSearchModule::Last; ++module) {
        const int count = m_result.counts[module];
        if (count == 0)
            continue;
        auto* group = new QTreeWidgetItem(m_list);
        group->setText(0,
                       QStringLiteral("%1 (%2 件)").arg(CTavDbSearchFields::ModuleName(module)).arg(count));
        group->setData(0, kHitRole, -1);
        QFont font = m_list->font();
        font.setBold(true);
        group->setFont(0, font);
        group->setFlags(Qt::ItemIsEnabled);
        int shown = 0;
        for (; next < m_result.hits.size() && m_result.hits.at(next).module == module; ++next, ++shown) {
            const CTavDbSearchHit& hit = m_result.hits.at(next);
            auto* item = new QTreeWidgetItem(group);
            QString text;
            int start = 0;
            snippet(hit, &text, &start);
            const QString title = hit.title.isEmpty() ? QStringLiteral("(無題)") : hit.title;
            item->setData(0, kHitRole, next);
            item->setData(0, CTavSearchHitDelegate::TitleRole,
                          hit.date.isValid() ? hit.date.toString(QStringLiteral("yyyy/MM/dd ")) + title
                                             : title);
            item->setData(0, CTavSearchHitDelegate::FieldRole, hit.fieldName);
            item->setData(0, CTavSearchHitDelegate::SnippetRole, text);
            item->setData(0, CTavSearchHitDelegate::MatchStartRole, start);
            item->setData(0, CTavSearchHitDelegate::MatchLengthRole, hit.length);
            item->setToolTip(0, hit.text.left(500));
        }
        if (count > shown) {
            auto* more = new QTreeWidgetItem(group);
            more->setText(0,
                          QStringLiteral("ほか %1 件 (検索する文字を増やしてください)").arg(count - shown));
            more->setData(0, kHitRole, -1);
            more->setFlags(Qt::ItemIsEnabled);
        }
        group->setExpanded(true);
    }
    if (m_result.Total() == 0 && !m_query.trimmed().isEmpty()) {
        auto* none = new QTreeWidgetItem(m_list);
        none->setText(0, QStringLiteral("「%1」は見つかりませんでした。").arg(m_query.trimmed()));
        none->setData(0, kHitRole, -1);
        none->setFlags(Qt::ItemIsEnabled);
    }
}

void CTavSearchPane::onWatch()
{
    if (isVisible() && m_index.IsStale())
        run();
}

const CTavDbSearchHit* CTavSearchPane::hitOf(const QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    const int at = item->data(0, kHitRole).toInt();
    return at >= 0 && at < m_result.hits.size() && item->data(0, kHitRole).isValid() ? &m_result.hits.at(at)
                                                                                     : nullptr;
}

QTreeWidgetItem* CTavSearchPane::firstHitItem() const
{
    for (QTreeWidgetItemIterator it(m_list); *it; ++it)
        if (hitOf(*it))
            return *it;
    return nullptr;
}

bool CTavSearchPane::OpenCurrent()
{
    const CTavDbSearchHit* hit = hitOf(m_list->currentItem());
    if (!hit)
        hit = hitOf(firstHitItem());
    if (!hit)
        return false;
    const CTavDbSearchHit chosen = *hit; // switching modules may search again
    Open(chosen);
    return true;
}

void CTavSearchPane::Open(const CTavDbSearchHit& hit)
{
    const bool schedule = hit.module == TavSearchModule::Schedule;
    const int target = schedule ? TavModule::Day : hit.module;
    m_app.SwitchModule(target);
    // A switch the user declined (a backup file is open) opens nothing.
    if (m_app.currentModule() != hit.module || (schedule && m_app.currentScheduleView() != TavModule::Day))
        return;
    CTavModuleFrame* frame = m_app.FrameOfModule(target);
    const bool shown =
        frame && (hit.filePath.isEmpty() ? frame->ShowRecord(hit.recordId) : frame->ShowFile(hit.filePath));
    if (!shown)
        Refresh(); // the record or file went since the search
}
