#include "CTavMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

#include "TavCommandIds.h"

namespace {
CTavMessageBox::Hook& hook()
{
    static CTavMessageBox::Hook h;
    return h;
}

int answerOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return TavMsg::IdOk;
    case QMessageBox::Yes:
        return TavMsg::IdYes;
    case QMessageBox::No:
        return TavMsg::IdNo;
    default:
        return TavMsg::IdCancel;
    }
}
} // namespace

void CTavMessageBox::SetHook(Hook h)
{
    hook() = std::move(h);
}

std::unique_ptr<QMessageBox> CTavMessageBox::Build(const CTavMessageRequest& request)
{
    auto box = std::make_unique<QMessageBox>(request.parent);
    box->setWindowTitle(request.caption);
    box->setText(request.text);
    QList<QMessageBox::StandardButton> buttons;
    switch (request.type & 0xF) {
    case TavMsg::OkCancel:
        buttons = {QMessageBox::Ok, QMessageBox::Cancel};
        break;
    case TavMsg::YesNoCancel:
        buttons = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        break;
    case TavMsg::YesNo:
        buttons = {QMessageBox::Yes, QMessageBox::No};
        break;
    default:
        buttons = {QMessageBox::Ok};
        break;
    }
    for (QMessageBox::StandardButton b : buttons) {
        QAbstractButton* button = box->addButton(b);
        if (b == QMessageBox::Cancel)
            button->setText(QStringLiteral("キャンセル"));
        else if (b == QMessageBox::Yes)
            button->setText(QStringLiteral("はい(&Y)"));
        else if (b == QMessageBox::No)
            button->setText(QStringLiteral("いいえ(&N)"));
    }
    const int defaultIndex = (request.type & TavMsg::DefButton2) ? 1 : 0;
    if (defaultIndex < buttons.size())
        box->setDefaultButton(buttons.at(defaultIndex));
    switch (request.type & 0xF0) {
    case TavMsg::IconStop:
        box->setIcon(QMessageBox::Critical);
        break;
    case TavMsg::IconQuestion:
        box->setIcon(QMessageBox::Question);
        break;
    case TavMsg::IconExclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case TavMsg::IconInformation:
        box->setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    return box;
}

int CTavMessageBox::Show(const CTavMessageRequest& request)
{
    if (hook()) {
        const Hook h = hook();
        return h(request);
    }
    const auto box = Build(request);
    box->exec();
    const auto pressed = box->standardButton(box->clickedButton());
    if (pressed == QMessageBox::NoButton) {
        // Closed by the window button or Escape: the platform answers with the escape button.
        if ((request.type & 0xF) == TavMsg::YesNo)
            return TavMsg::IdNo;
        return (request.type & 0xF) == TavMsg::Ok ? TavMsg::IdOk : TavMsg::IdCancel;
    }
    return answerOf(pressed);
}
