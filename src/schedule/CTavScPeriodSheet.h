#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class CTavApp;
class CTavDbFreePdbObjectManager;
class QPainter;
class QRect;
class QWidget;
class ScheduleState;

// The memo sheets of the schedule: the overlay linked to a day, a week or a month (a sheet of
// the overlay folder, drawn over the handheld preview) and the sheet linked to an event.
class CTavScPeriodSheet final
{
public:
    // The overlay's page is the sheet page; its canvas two pages tall, scrolled in the editor.
    static constexpr QSize kPage{300, 394};
    static constexpr QSize kCanvas{300, 788};
    static inline const QString kMissingCaption = QStringLiteral("手書きメモが見つかりません");
    static inline const QString kMissingLink = QStringLiteral(
        "リンクされた手書きメモが見つかりません。\n削除された可能性があります。\nリンクを解除しますか？");
    static inline const QString kMissingEventSheet =
        QStringLiteral("リンクされた手書きメモが見つかりません。\n削除された可能性があります。");

    using Link = std::function<bool(const QString& name)>;

    static QString OverlayFolder(CTavApp& app);
    static QString OverlayPath(CTavApp& app, const QString& name);
    // "yyyyMMddhhmmss", a digit and "OverPC": the first digit that names no file of folder.
    static QString NewOverlayName(const QString& folder, const QDateTime& now);

    // The pane's edit button. A link to a missing file asks whether to drop it (link("") on
    // OK); no link makes a new overlay and links it (link(name)) once the editor saved it;
    // otherwise the linked overlay opens. True when the link or the sheet changed.
    static bool EditOverlay(ScheduleState& state, QWidget* owner, const QString& linked, const Link& link);
    // The linked overlay for drawing; null when it is missing or unreadable.
    static std::shared_ptr<CTavDbFreePdbObjectManager> LoadOverlay(CTavApp& app, const QString& name);
    // Draws the overlay's objects, the page scaled to target's width and clipped to it.
    static void DrawOverlay(QPainter& painter, const CTavDbFreePdbObjectManager& sheet, const QRect& target);

    // An event's memo sheet (a sheet of the user's sheet folder) opens in the editor; a missing
    // one is reported.
    static void OpenEventSheet(ScheduleState& state, QWidget* owner, const QString& name);
};
