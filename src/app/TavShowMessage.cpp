#include "TavShowMessage.h"

#include "CTavApp.h"
#include "CTavMessageBox.h"
#include "TavStrings.h"

int TavShowMessage(QWidget* owner, const QString& text, const QString& caption, unsigned type)
{
    if (CTavApp* app = CTavApp::instance())
        return app->ShowMessage(owner, text, caption, type);
    return CTavMessageBox::Show({owner, text, caption.isEmpty() ? TavStr::ProductName : caption, type});
}
