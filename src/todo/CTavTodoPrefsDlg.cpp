#include "CTavTodoPrefsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CTavScColorDlg.h"
#include "CTavSyncLock.h"

namespace {
constexpr const char16_t* kStateNames[] = {u"開始日前", u"アクティブ", u"遅延"};

uint32_t toColorRef(const QColor& c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

QColor fromColorRef(uint32_t c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
} // namespace

CTavTodoPrefsDlg::CTavTodoPrefsDlg(CTavTodoDoc& doc, QWidget* parent)
    : CTavDialogBase(parent), m_doc(doc), m_chosen(doc.GetSettings()),
      m_showCompleted(new QCheckBox(QStringLiteral("完了した項目を表示"), this)),
      m_registDate(new QCheckBox(QStringLiteral("完了日を記録"), this))
{
    setWindowTitle(kTitle);
    m_showCompleted->setProperty("controlId", 1008);
    m_registDate->setProperty("controlId", 1161);
    m_showCompleted->setChecked(m_chosen.showCompleted);
    m_registDate->setChecked(m_chosen.registCompletedDate);

    auto* colours = new QGroupBox(QStringLiteral("表示色"), this);
    auto* grid = new QGridLayout(colours);
    for (int state = 0; state < 3; ++state) {
        const QString name = QString::fromUtf16(kStateNames[state]);
        m_buttons[state] = new QPushButton(name, colours);
        m_buttons[state]->setProperty("controlId", 1163 + state);
        m_buttons[state]->setAutoDefault(false);
        m_swatches[state] = new QLabel(colours);
        m_swatches[state]->setProperty("controlId", 1179 + state);
        m_swatches[state]->setFixedSize(40, 20);
        grid->addWidget(m_buttons[state], state, 0);
        grid->addWidget(m_swatches[state], state, 1);
        grid->addWidget(new QLabel(QStringLiteral(": ") + name, colours), state, 2);
        connect(m_buttons[state], &QPushButton::clicked, this, [this, state] { pickColor(state); });
        showColor(state);
    }
    grid->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTavTodoPrefsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_showCompleted);
    layout->addWidget(m_registDate);
    layout->addWidget(colours);
    layout->addWidget(buttons);
}

QCheckBox* CTavTodoPrefsDlg::ShowCompletedBox() const
{
    return m_showCompleted;
}

QCheckBox* CTavTodoPrefsDlg::RegistDateBox() const
{
    return m_registDate;
}

QPushButton* CTavTodoPrefsDlg::ColorButton(int state) const
{
    return state >= 0 && state < 3 ? m_buttons[state] : nullptr;
}

QColor& CTavTodoPrefsDlg::colorOf(int state)
{
    return state == 0 ? m_chosen.before : state == 1 ? m_chosen.active : m_chosen.delayed;
}

void CTavTodoPrefsDlg::showColor(int state)
{
    m_swatches[state]->setStyleSheet(
        QStringLiteral("background: %1; border: 1px solid #808080;").arg(colorOf(state).name()));
}

void CTavTodoPrefsDlg::pickColor(int state)
{
    CTavScColorDlg dialog(true, toColorRef(colorOf(state)), this, CTavScColorDlg::TextPalette());
    // A text always has a colour: the dialog's "no colour" choice does not apply here.
    dialog.NoColorButton()->hide();
    if (dialog.exec() != QDialog::Accepted || !dialog.IsSet())
        return;
    colorOf(state) = fromColorRef(dialog.Color());
    showColor(state);
}

int CTavTodoPrefsDlg::exec()
{
    CTavSyncLock lock(m_doc.App());
    return CTavDialogBase::exec();
}

void CTavTodoPrefsDlg::accept()
{
    m_chosen.showCompleted = m_showCompleted->isChecked();
    m_chosen.registCompletedDate = m_registDate->isChecked();
    m_doc.SetSettings(m_chosen);
    CTavDialogBase::accept();
}
