#include "CTavAppStyle.h"

#include <QApplication>

CTavAppStyle::CTavAppStyle(QStyle* base) : QProxyStyle(base) {}

int CTavAppStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void CTavAppStyle::Install()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        qobject_cast<CTavAppStyle*>(QApplication::style()))
        return;
    // The proxy takes the current style over, so setStyle does not delete it.
    QApplication::setStyle(new CTavAppStyle(QApplication::style()));
}
