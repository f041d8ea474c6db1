#pragma once

#include <QList>
#include <QWidget>

class CTavModuleButton;

// The launcher bar on the left of every module window: six module buttons under each other.
class CTavModuleBar final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 106;
    // Border sides.
    static constexpr int BorderLeft = 1;
    static constexpr int BorderRight = 2;
    static constexpr int BorderTop = 4;
    static constexpr int BorderBottom = 8;
    // Indexes of SetCurrent.
    enum Index
    {
        Schedule,
        Address,
        Todo,
        MemoPad,
        FreeMemo,
        Reference
    };

    explicit CTavModuleBar(int borders = BorderTop | BorderBottom, QWidget* parent = nullptr);

    void SetCurrent(int index);
    int Current() const;
    // Buttons in their order on the bar.
    QList<CTavModuleButton*> Buttons() const { return m_buttons; }
    CTavModuleButton* ButtonOfIndex(int index) const;
    int Borders() const { return m_borders; }

signals:
    // A button asked for its module-switch command.
    void commandRequested(int command);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_borders;
    QList<CTavModuleButton*> m_buttons;
};
