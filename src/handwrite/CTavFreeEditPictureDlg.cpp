#include "CTavFreeEditPictureDlg.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

CTavFreeEditPictureDlg::CTavFreeEditPictureDlg(const QImage& picture, const QString& title, bool sheetViewer,
                                               QWidget* parent)
    : CTavDialogBase(parent)
{
    setWindowTitle(title);
    auto* label = new QLabel(this);
    label->setPixmap(QPixmap::fromImage(picture));
    label->setAlignment(Qt::AlignCenter);
    // Large photos open at most three quarters of the screen; the rest scrolls.
    QSize limit(800, 600);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        limit = screen->availableSize() * 3 / 4;
    QWidget* shown = label;
    if (picture.width() > limit.width() || picture.height() > limit.height()) {
        auto* area = new QScrollArea(this);
        area->setWidget(label);
        area->setAlignment(Qt::AlignCenter);
        area->setMinimumSize(limit);
        shown = area;
    } else if (sheetViewer) {
        label->setFrameShape(QFrame::Box);
    }

    auto* buttons = new QDialogButtonBox(this);
    if (sheetViewer) {
        QPushButton* paste = buttons->addButton(QStringLiteral("貼り付け"), QDialogButtonBox::AcceptRole);
        m_peel = buttons->addButton(QStringLiteral("はがす"), QDialogButtonBox::DestructiveRole);
        paste->setDefault(true);
        connect(m_peel, &QPushButton::clicked, this, [this] {
            m_peeled = true;
            accept();
        });
    } else {
        buttons->addButton(QDialogButtonBox::Close);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shown);
    layout->addWidget(buttons);
}
