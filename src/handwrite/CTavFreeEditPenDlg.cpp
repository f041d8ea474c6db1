#include "CTavFreeEditPenDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "sheet/CTavDbHwriteObject.h"

CTavFreeEditPenDlg::CTavFreeEditPenDlg(int width, QWidget* parent) : CTavDialogBase(parent), m_width(width)
{
    setWindowTitle(QStringLiteral("ペンの太さ設定"));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("ペンの太さを選んでください。"), this));
    auto* layout = new QHBoxLayout;
    outer->addLayout(layout);
    for (int w = CTavDbHwriteObject::MinWidth; w <= CTavDbHwriteObject::MaxWidth; ++w) {
        QPixmap picture(56, 28);
        picture.fill(QColor(0xD8, 0xD8, 0xD8));
        QPainter painter(&picture);
        painter.setPen(CTavDbHwriteObject::CreatePen(w, Qt::black));
        painter.drawLine(8, 14, 48, 14);
        painter.end();
        auto* button = new QPushButton(this);
        button->setIcon(QIcon(picture));
        button->setIconSize(picture.size());
        button->setToolTip(QStringLiteral("%1 ドット").arg(w));
        button->setAutoDefault(false);
        if (w == width)
            button->setFocus();
        connect(button, &QPushButton::clicked, this, [this, w] {
            m_width = w;
            accept();
        });
        layout->addWidget(button);
        m_buttons << button;
    }
}
