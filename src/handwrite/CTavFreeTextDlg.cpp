#include "CTavFreeTextDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "CTavFreeEditColorDlg.h"
#include "sheet/CTavDbTextObject.h"

CTavFreeTextDlg::CTavFreeTextDlg(const QString& text, const QColor& color, int fontCode, QWidget* parent)
    : CTavDialogBase(parent), m_color(color), m_font(fontCode)
{
    setWindowTitle(QStringLiteral("テキスト入力"));
    m_edit = new QPlainTextEdit(this);
    m_edit->setPlainText(text);
    m_edit->setMinimumSize(320, 140);
    connect(m_edit, &QPlainTextEdit::textChanged, this, &CTavFreeTextDlg::limitLength);

    auto* fonts = new QHBoxLayout;
    fonts->setSpacing(2);
    const QList<int> codes = CTavDbTextObject::FontCodes();
    if (!codes.contains(m_font))
        m_font = CTavDbTextObject::DefaultFont;
    for (int code : codes) {
        auto* button = new QPushButton(QStringLiteral("Aあ"), this);
        button->setFont(CTavDbTextObject::CreateFont(code));
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setAutoDefault(false);
        button->setChecked(code == m_font);
        button->setMinimumHeight(34);
        connect(button, &QPushButton::clicked, this, [this, code] { chooseFont(code); });
        fonts->addWidget(button);
        m_fontButtons << button;
    }
    m_colorButton = new QPushButton(this);
    m_colorButton->setAutoDefault(false);
    m_colorButton->setToolTip(QStringLiteral("文字の色"));
    m_colorButton->setMinimumHeight(34);
    connect(m_colorButton, &QPushButton::clicked, this, [this] {
        CTavFreeEditColorDlg dialog(m_color, this);
        if (dialog.exec() == QDialog::Accepted) {
            m_color = dialog.Color();
            showColor();
        }
    });
    fonts->addWidget(m_colorButton);
    showColor();
    chooseFont(m_font);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fonts);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    m_edit->setFocus();
}

QString CTavFreeTextDlg::Text() const
{
    return m_edit->toPlainText();
}

void CTavFreeTextDlg::chooseFont(int code)
{
    m_font = code;
    m_edit->setFont(CTavDbTextObject::CreateFont(code));
}

void CTavFreeTextDlg::showColor()
{
    m_colorButton->setIcon(CTavFreeEditColorDlg::SwatchIcon(m_color));
    m_colorButton->setText(QStringLiteral("色"));
}

void CTavFreeTextDlg::limitLength()
{
    const QString text = m_edit->toPlainText();
    if (text.size() <= CTavDbTextObject::MaxChars)
        return;
    const QSignalBlocker blocker(m_edit);
    m_edit->setPlainText(text.left(CTavDbTextObject::MaxChars));
    m_edit->moveCursor(QTextCursor::End);
}
