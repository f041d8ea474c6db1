#pragma once

#include <QWidget>

// The band above the memo text: the module name, "n/count" and the category name.
class CTavMemoHeaderBand final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kHeight = 25;
    static constexpr uint32_t kColour = 0xDCDCDC;

    explicit CTavMemoHeaderBand(QWidget* parent = nullptr);

    // What the band shows; empty texts draw nothing at their place.
    void SetTexts(const QString& module, const QString& position, const QString& category);
    QString ModuleText() const { return m_module; }
    QString PositionText() const { return m_position; }
    QString CategoryText() const { return m_category; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_module;
    QString m_position;
    QString m_category;
};
