#pragma once

#include <QWidget>

class QButtonGroup;
class QToolButton;

// The index tabs down the left edge of the address list: eleven buttons, one pressed.
class CTavAddrTabBar final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 34;

    explicit CTavAddrTabBar(QWidget* parent = nullptr);

    void SetLabels(const QStringList& labels);
    // Shows a tab pressed without telling anyone.
    void SetPressed(int tab);
    int Pressed() const;
    QToolButton* Button(int tab) const;

signals:
    // The user pressed a tab (also the one already pressed).
    void tabPressed(int tab);

private:
    QButtonGroup* m_group;
};
