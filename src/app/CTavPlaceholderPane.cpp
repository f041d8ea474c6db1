#include "CTavPlaceholderPane.h"

#include <QLabel>
#include <QVBoxLayout>

CTavPlaceholderPane::CTavPlaceholderPane(const QString& title, const QString& detail, QWidget* parent)
    : QFrame(parent), m_title(new QLabel(title, this))
{
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setMinimumSize(60, 60);

    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    m_title->setObjectName(QStringLiteral("paneTitle"));
    auto* text = new QLabel(detail, this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setStyleSheet(QStringLiteral("color: #707070;"));

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_title);
    layout->addWidget(text);
    layout->addStretch();
}

QString CTavPlaceholderPane::Title() const
{
    return m_title->text();
}

void CTavPlaceholderPane::OnDocumentUpdate(int hint)
{
    ++m_updates;
    m_lastHint = hint;
}
