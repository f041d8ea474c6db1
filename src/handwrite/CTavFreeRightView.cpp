#include "CTavFreeRightView.h"

#include <QFileInfo>
#include <QPainter>

#include "CTavFreeDoc.h"
#include "CTavFreeIcons.h"
#include "sheet/CTavDbFreePdbObjectManager.h"
#include "sheet/CTavDbTextObject.h"

using Manager = CTavDbFreePdbObjectManager;

CTavFreeRightView::CTavFreeRightView(CTavFreeDoc* document, QWidget* parent)
    : QWidget(parent), m_doc(document)
{
    setObjectName(QStringLiteral("sheetPreview"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xC6, 0xC3, 0xC6));
    setPalette(palette);
}

void CTavFreeRightView::ShowEntry(int index)
{
    const CTavFreeSheetEntry* entry = m_doc->Entry(index);
    if (!entry) {
        m_path.clear();
        m_category.clear();
        m_alarm = false;
        m_page = QImage();
        update();
        return;
    }
    // The same sheet saved again since (by the editor, a HotSync) is drawn anew.
    const QFileInfo file(entry->path);
    const QDateTime written = file.lastModified();
    if (entry->path != m_path || m_page.isNull() || written != m_written) {
        m_written = written;
        Manager sheet;
        sheet.CreateResources();
        m_page = sheet.LoadFromFile(entry->path) == TavStatusCode::Ok && sheet.CreateObjects() > 0
                     ? sheet.CreateThumbnailBitmap(Manager::PageRect, Manager::PageRect.size())
                     : QImage();
    }
    m_path = entry->path;
    m_category = m_doc->CategoryName(entry->categoryId);
    m_alarm = entry->alarm;
    update();
}

void CTavFreeRightView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_path.isEmpty())
        return;
    const int pageWidth = Manager::PageWidth;
    const int left = std::max(4, (width() - pageWidth) / 2);
    // The band: category name in its box, the alarm mark at the right.
    const QRect band(left, 6, pageWidth, kBandHeight - 6);
    p.fillRect(band, Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(band.adjusted(0, 0, -1, -1));
    const QRect text = band.adjusted(6, 0, -28, 0);
    p.setPen(Qt::black);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
               CTavDbTextObject::GetClippedText(m_category, p.fontMetrics(), text.width()));
    if (m_alarm)
        p.drawPixmap(band.right() - 20, band.top() + (band.height() - 16) / 2, CTavFreeIcons::Alarm(16));
    // The page with a thin frame and a shadow.
    const QRect page(left, kBandHeight + 6, pageWidth, Manager::PageHeight);
    p.fillRect(page.translated(3, 3), QColor(0x80, 0x80, 0x80));
    if (!m_page.isNull())
        p.drawImage(page.topLeft(), m_page);
    else
        p.fillRect(page, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(page.adjusted(-1, -1, 0, 0));
}
