#include "CTavDetailTextEdit.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "CTavFontChoice.h"
#include "CTavRichTextReader.h"

CTavDetailTextEdit::CTavDetailTextEdit(QWidget* parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("detailText"));
    setProperty("controlId", 111);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFrameShape(QFrame::NoFrame);
    document()->setDefaultFont(CTavFontChoice::ListFont(10));
    document()->setDocumentMargin(6);
}

void CTavDetailTextEdit::SetRichText(const QByteArray& rtf)
{
    m_rtf = rtf;
    clear();
    CTavRichTextReader::Fill(*document(), rtf);
    moveCursor(QTextCursor::Start);
    viewport()->update();
}

void CTavDetailTextEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("コピー(&C)"), this, &QTextEdit::copy);
    copy->setEnabled(textCursor().hasSelection());
    menu.addAction(QStringLiteral("すべて選択(&A)"), this, &QTextEdit::selectAll);
    menu.exec(event->globalPos());
}
