#pragma once

#include <QStringList>
#include <memory>

#include "AppTestEnv.h"
#include "CTavApp.h"
#include "CTavDbMemo.h"
#include "CTavDbUser.h"
#include "CTavDetailTextEdit.h"
#include "CTavMainFrame.h"
#include "CTavMemoDoc.h"
#include "CTavMemoFrame.h"
#include "CTavMemoLeftView.h"
#include "CTavMemoRightView.h"
#include "TavCommandIds.h"

// A running program with the memo pad in front: user "Hanako", twelve memos in several
// categories (one of them private), the clock pinned, every dialog and message answered
// through the test world's queues.
class MemoFixture
{
public:
    static inline const QString kUser = QStringLiteral("Hanako");
    static inline const QString kPrivateText = QStringLiteral("暗証番号のメモ\n{金庫} \\ 1234");
    static constexpr int kMemoCount = 12;

    // Writes the twelve memos into the user's store and starts the program.
    void Start();
    void Stop();
    // Ends the program and starts it again on the same data.
    void Restart()
    {
        AppTestEnv::Close(m_app);
        m_app = m_env->Start();
        showMemoPad();
    }

    AppTestEnv& Env() { return *m_env; }
    CTavApp& App() { return *m_app; }
    CTavMemoFrame& Frame() { return *static_cast<CTavMemoFrame*>(m_app->Frame(TavSlot::MemoPad)); }
    CTavMemoDoc& Doc() { return *Frame().MemoDoc(); }
    CTavMemoLeftView& List() { return *Frame().LeftView(); }
    CTavDbMemo& Store() { return m_app->MemoStore(); }

    // The first lines of the listed memos, top first.
    QStringList Listed();
    // Row of the listed memo whose text starts with the prefix; -1 when not listed.
    int RowOf(const QString& prefix);
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QString DetailText() { return Frame().RightView()->TextEdit()->toPlainText(); }
    void SetPrivateMode(int mode) { m_app->MainFrame()->SetPrivateMode(mode); }
    void SetPassword(const QString& password) { m_app->Users().SetPassword(kUser, password); }
    uint32_t CategoryId(const QString& name) { return Store().FindCategoryByName(name)->GetID(); }

private:
    void writeMemos();
    void showMemoPad();

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
};
