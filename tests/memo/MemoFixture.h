#pragma once

#include <QStringList>
#include <memory>

#include "AppTestEnv.h"
#include "CTavDbTime.h"

class CTavApp;
class CTavDbMemo;
class CTavMemoDoc;
class CTavMemoFrame;
class CTavMemoLeftView;
class CTavMemoRightView;

// A running program with the memo pad in front: user "Hanako", twenty memos in several
// categories (one of them private), the clock pinned, every dialog and message answered
// through the test world's queues.
class MemoFixture
{
public:
    static inline const QString kUser = QStringLiteral("Hanako");
    static inline const QString kPrivateText = QStringLiteral("暗証番号のメモ\n金庫: 1234");
    static constexpr int kMemoCount = 20;

    // Writes the twenty memos into the user's store and starts the program.
    void Start(const QString& password = QString());
    void Stop();
    // Stops and starts again on the same data.
    void Restart();

    AppTestEnv& Env() { return *m_env; }
    CTavApp& App() { return *m_app; }
    CTavMemoFrame& Frame();
    CTavMemoDoc& Doc();
    CTavMemoLeftView& List();
    CTavMemoRightView& Detail();
    CTavDbMemo& Store();

    // The first lines of the listed memos, top first.
    QStringList Listed();
    // Row of the listed memo whose text starts with the prefix; -1 when not listed.
    int RowOf(const QString& prefix);
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    QString DetailText();
    void SetPrivateMode(int mode);
    uint32_t CategoryId(const QString& name);
    // Adds filler memos until the store holds count records.
    void FillTo(int count);
    static TavTime Created(int n);

private:
    void writeMemos();

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
};
