#include "CTavByteLimit.h"

#include <QLineEdit>
#include <algorithm>

#include "CTavDbText.h"

void CTavByteLimit::Apply(QLineEdit* edit, int maxBytes)
{
    edit->setText(CTavDbText::truncateToBytes(edit->text(), maxBytes));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, maxBytes](const QString& text) {
        if (CTavDbText::mbLength(text) <= maxBytes)
            return;
        const int cursor = edit->cursorPosition();
        const QString kept = CTavDbText::truncateToBytes(text, maxBytes);
        edit->setText(kept);
        edit->setCursorPosition(std::min<int>(cursor, kept.size()));
    });
}
