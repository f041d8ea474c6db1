#include "CTavReferPictureDlg.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

CTavReferPictureDlg::CTavReferPictureDlg(const QImage& picture, const QString& name, QWidget* parent)
    : CTavDialogBase(parent)
{
    setObjectName(QStringLiteral("referPicture"));
    setWindowTitle(name);
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const QSize room = screen.size() - QSize(80, 140);
    QImage shown = picture;
    if (picture.width() > room.width() || picture.height() > room.height())
        shown = picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    auto* label = new QLabel(this);
    label->setPixmap(QPixmap::fromImage(shown));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label, 0, Qt::AlignCenter);
    layout->addWidget(buttons);
}
