#pragma once

#include <QDateTime>
#include <QImage>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

#include "CTavDialogBase.h"
#include "TestDataDir.h"

class CTavApp;
class QProcess;
class QWidget;
struct CTavMessageRequest;

// One test's world: private data, settings and runtime folders, and hooks that answer every
// message box and dialog from queues, so that no test waits on a modal loop.
class AppTestEnv
{
public:
    using DialogAnswer = std::function<int(CTavDialogBase&)>;

    AppTestEnv();
    ~AppTestEnv();

    // Creates the application with every module window and runs start-up.
    std::unique_ptr<CTavApp> Start(const QStringList& arguments = {}, bool* started = nullptr);
    // Closes the main frame as the user would, then ends the application.
    static void Close(std::unique_ptr<CTavApp>& app);
    // The usual start of a test: the clock fixed at now (unless null), a fresh world with one user and the
    // program running; false when no main window came up. Finish undoes all three.
    static bool StartAt(const QDateTime& now, std::unique_ptr<AppTestEnv>& env, std::unique_ptr<CTavApp>& app,
                        const QString& user = QStringLiteral("Hanako"));
    static void Finish(std::unique_ptr<AppTestEnv>& env, std::unique_ptr<CTavApp>& app);

    void AnswerMessage(int answer) { m_messageAnswers.push_back(answer); }
    void AnswerDialog(DialogAnswer answer) { m_dialogAnswers.push_back(std::move(answer)); }
    QStringList Messages() const { return m_messages; }

    QStringList MessageParentTitles() const { return m_parentTitles; }
    QStringList DialogTitles() const { return m_dialogTitles; }
    void ClearRecords();
    bool AllAnswersUsed() const { return m_messageAnswers.empty() && m_dialogAnswers.empty(); }

    // Adds a user with an optional password and start-up password flag.
    static void AddUser(const QString& name, const QString& password = QString(), int startupFlag = -1);
    // Answers: type a password and press OK; press Cancel.
    static DialogAnswer TypePassword(const QString& password);
    static DialogAnswer PressCancel();
    // Chooses the file in a file dialog (in an export dialog, the selected records only when
    // asked) and presses its button.
    static DialogAnswer ChooseFile(const QString& path, bool selectedOnly = false);
    // Saves a picture of a widget into $LUMORA_SCREENSHOT_DIR when it is set.
    static void Screenshot(QWidget* widget, const QString& name);
    // Starts a process of a name no other program has, standing for the competing desktop
    // program; it runs until killed or the test ends.
    QProcess* StartRival(QString* name);

    TestDataDir& Dir() { return m_dir; }

private:
    TestDataDir m_dir;
    std::deque<int> m_messageAnswers;
    std::deque<DialogAnswer> m_dialogAnswers;
    QStringList m_messages;

    QStringList m_parentTitles;
    QStringList m_dialogTitles;
    std::unique_ptr<QProcess> m_rival;
};

// Answers a dialog of type D (another gets 99): acts on it, then accepts it unless the act closed it.
template <class D> AppTestEnv::DialogAnswer answer(std::function<void(D&)> act = {})
{
    return [act](CTavDialogBase& d) {
        auto* dialog = qobject_cast<D*>(&d);
        if (!dialog)
            return 99;
        if (act)
            act(*dialog);
        if (dialog->isVisible())
            dialog->accept();
        return dialog->result();
    };
}
