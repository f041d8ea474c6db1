#include "CTavScRepeatScopeDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CTavScRepeatScopeDlg::CTavScRepeatScopeDlg(QWidget* parent) : CTavDialogBase(parent)
{
    setWindowTitle(QStringLiteral("定期的な予定"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("この予定のみ変更しますか? すべての予定を変更しますか?"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);

    const QString labels[] = {QStringLiteral("現在(&C)"), QStringLiteral("将来(&E)"),
                              QStringLiteral("すべて(&A)")};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new QPushButton(labels[i], this);
        buttons->addWidget(m_buttons[i]);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { done(i + 1); });
    }
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    buttons->addWidget(cancel);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_buttons[0]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

QPushButton* CTavScRepeatScopeDlg::Button(Scope scope) const
{
    return scope >= ThisOnly && scope <= All ? m_buttons[scope - 1] : nullptr;
}
