#pragma once

#include <QString>
#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

struct CTavMessageRequest
{
    QWidget* parent = nullptr;
    QString text;
    QString caption;
    unsigned type = 0; // TavMsg buttons | icon | default button
};

// The message box itself: the platform's box types mapped onto QMessageBox, and a hook
// through which tests answer instead of a modal loop.
class CTavMessageBox final
{
public:
    using Hook = std::function<int(const CTavMessageRequest&)>;

    static void SetHook(Hook hook);
    // The pressed button as TavMsg::Id...; closing the box counts as Cancel (or No, or OK).
    static int Show(const CTavMessageRequest& request);
    static std::unique_ptr<QMessageBox> Build(const CTavMessageRequest& request);
};
