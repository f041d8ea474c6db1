#pragma once

#include <QColor>
#include <QList>

#include "CTavDialogBase.h"

class QPlainTextEdit;
class QPushButton;

// Text of a text box ("テキスト入力"): up to 4095 characters, one of the six handheld fonts and
// a colour.
class CTavFreeTextDlg final : public CTavDialogBase
{
    Q_OBJECT
public:
    CTavFreeTextDlg(const QString& text, const QColor& color, int fontCode, QWidget* parent = nullptr);

    QString Text() const;
    QColor Color() const { return m_color; }
    int FontCode() const { return m_font; }
    QPlainTextEdit* Edit() const { return m_edit; }
    QList<QPushButton*> FontButtons() const { return m_fontButtons; }
    QPushButton* ColorButton() const { return m_colorButton; }

private:
    void chooseFont(int code);
    void showColor();
    void limitLength();

    QColor m_color;
    int m_font;
    QPlainTextEdit* m_edit;
    QList<QPushButton*> m_fontButtons;
    QPushButton* m_colorButton;
};
