#pragma once

#include <QProxyStyle>

// The application's style: the desktop's own look, except that dialog buttons (OK, Cancel, Yes,
// No) carry text only. Some desktop themes put icons on the standard buttons of button boxes
// and message boxes but not on plain push buttons, so dialogs would look unlike each other.
class CTavAppStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    explicit CTavAppStyle(QStyle* base = nullptr);

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    // Wraps the application's current style, once; does nothing without a widget application.
    static void Install();
};
