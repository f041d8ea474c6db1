#pragma once

#include <QDateTime>
#include <QImage>
#include <QWidget>

class CTavFreeDoc;

// The selected sheet's preview: its category and alarm above the page. The page is drawn
// from the file when a sheet is chosen, so the list keeps only small thumbnails.
class CTavFreeRightView final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kBandHeight = 28;

    explicit CTavFreeRightView(CTavFreeDoc* document, QWidget* parent = nullptr);

    // Shows the document's entry (-1 clears the pane).
    void ShowEntry(int index);
    QString ShownPath() const { return m_path; }
    QString CategoryText() const { return m_category; }
    bool AlarmShown() const { return m_alarm; }
    const QImage& PageImage() const { return m_page; }

    QSize sizeHint() const override { return {338, 460}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTavFreeDoc* m_doc;
    QString m_path;
    QString m_category;
    bool m_alarm = false;
    QImage m_page;
    QDateTime m_written; // when the drawn sheet's file was last written
};
