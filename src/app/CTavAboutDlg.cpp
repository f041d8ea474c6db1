#include "CTavAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "CTavModuleButton.h"

CTavAboutDlg::CTavAboutDlg(QWidget* parent) : CTavDialogBase(parent)
{
    setWindowTitle(QStringLiteral("Lumora のバージョン情報"));
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        CTavModuleButton::DrawPicture(p, QRectF(0, 0, 48, 48), CTavModuleButton::Schedule, false);
    }
    auto* icon = new QLabel(this);
    icon->setPixmap(picture);
    auto* first = new QLabel(QStringLiteral("Lumora v.1.0"), this);
    QFont bold = first->font();
    bold.setBold(true);
    first->setFont(bold);
    auto* second = new QLabel(QStringLiteral("Copyright (C) Ostrel Corporation"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavAboutDlg::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(first);
    text->addWidget(second);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}
