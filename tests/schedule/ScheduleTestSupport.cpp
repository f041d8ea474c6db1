#include "ScheduleTestSupport.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

#include "CTavApp.h"
#include "CTavFrameActions.h"
#include "CTavMainFrame.h"
#include "CTavScRepeatScopeDlg.h"

TavTime at(const QDate& day, int h, int m, int s)
{
    return CTavDbTime::fromDateAndTime(day, QTime(h, m, s));
}

void undoStep(CTavApp& app, int command, const QString& expected)
{
    CTavFrameActions& actions = app.MainFrame()->Actions();
    actions.UpdateCommandUI();
    QCOMPARE(actions.Action(command)->text().section(u'(', 0, 0).section(QStringLiteral(": "), 1), expected);
    actions.Trigger(command);
}

AppTestEnv::DialogAnswer scopeAnswer(int scope)
{
    return answer<CTavScRepeatScopeDlg>(
        [scope](CTavScRepeatScopeDlg& ask) { ask.Button(CTavScRepeatScopeDlg::Scope(scope))->click(); });
}
