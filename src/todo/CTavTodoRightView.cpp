#include "CTavTodoRightView.h"

#include <QVBoxLayout>

#include "CTavDbText.h"
#include "CTavDetailTextEdit.h"
#include "CTavRichText.h"
#include "CTavTodoDetailText.h"
#include "CTavTodoDoc.h"

CTavTodoRightView::CTavTodoRightView(CTavTodoDoc* document, QWidget* parent)
    : QWidget(parent), m_doc(document), m_text(new CTavDetailTextEdit(this))
{
    setObjectName(QStringLiteral("todoDetail"));
    m_text->setAcceptDrops(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    ShowRow(-1);
}

QByteArray CTavTodoRightView::Encode(const QString& rtf)
{
    QByteArray out = CTavDbText::toCp932(rtf);
    if (CTavDbText::fromCp932(out) == rtf)
        return out;
    // Some character has no code page 932 form: go one character at a time.
    out.clear();
    for (qsizetype i = 0; i < rtf.size();) {
        const qsizetype len = rtf.at(i).isHighSurrogate() && i + 1 < rtf.size() ? 2 : 1;
        const QString ch = rtf.mid(i, len);
        const QByteArray one = CTavDbText::toCp932(ch);
        if (CTavDbText::fromCp932(one) == ch) {
            out += one;
        } else {
            for (QChar unit : ch)
                out += "\\u" + QByteArray::number(static_cast<int16_t>(unit.unicode())) + '?';
        }
        i += len;
    }
    return out;
}

void CTavTodoRightView::ShowRow(int index)
{
    const TodoListRow* row = m_doc->Row(index);
    m_index = row ? index : -1;
    const QString text = CTavTodoDetailText::Build(row, row && row->isPrivate && m_doc->Masked());
    m_text->SetRichText(text.isEmpty() ? CTavRichText::EmptyDocument() : Encode(text));
}
