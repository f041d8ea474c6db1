#pragma once

#include <QAbstractButton>

// One launcher button: a picture of its module above the label, 80 x 80 pixels. The current
// module's button and a pressed button are drawn sunk in.
class CTavModuleButton final : public QAbstractButton
{
    Q_OBJECT
public:
    enum Picture
    {
        Schedule,
        Address,
        Todo,
        FreeMemo,
        MemoPad,
        Reference
    };

    CTavModuleButton(Picture picture, const QString& label, int command, QWidget* parent = nullptr);

    int Command() const { return m_command; }
    Picture Kind() const { return m_picture; }
    bool IsCurrent() const { return m_current; }
    void SetCurrent(bool current);
    QSize sizeHint() const override { return {80, 80}; }

    // Draws a module's picture into a square; selected draws it in its highlighted colours.
    static void DrawPicture(QPainter& p, const QRectF& box, Picture picture, bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Picture m_picture;
    int m_command;
    bool m_current = false;
    bool m_hover = false;
};
