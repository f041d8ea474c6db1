#pragma once

#include <QStringList>
#include <memory>

#include "AppTestEnv.h"
#include "CTavAddrDoc.h"
#include "CTavAddrFrame.h"
#include "CTavAddrLeftView.h"
#include "CTavAddrRightView.h"
#include "CTavApp.h"
#include "CTavDbAddr.h"
#include "CTavDbUser.h"
#include "CTavDetailTextEdit.h"
#include "CTavMainFrame.h"
#include "TavCommandIds.h"

// A running program with the address book in front: user "Hanako", thirty cards (the first
// twenty-four of the test data's cards and six made for the index tabs, the name rules, the
// pictures and e-mail), every dialog and message answered through the test world's queues, and
// the e-mail command's address caught instead of opened.
class AddrFixture
{
public:
    static inline const QString kUser = QStringLiteral("Hanako");
    static constexpr int kCardCount = 30;

    void Start();
    void Stop();
    void Restart()
    {
        AppTestEnv::Close(m_app);
        m_app = m_env->Start();
        show();
    }

    AppTestEnv& Env() { return *m_env; }
    CTavApp& App() { return *m_app; }
    CTavAddrFrame& Frame() { return *static_cast<CTavAddrFrame*>(m_app->Frame(TavSlot::Address)); }
    CTavAddrDoc& Doc() { return *Frame().AddrDoc(); }
    CTavAddrLeftView& List() { return *Frame().LeftView(); }
    CTavDbAddr& Store() { return m_app->AddrStore(); }

    // The display names of the rows, top first.
    QStringList Listed();
    // The row whose display name starts with the prefix; -1 when not listed.
    int RowOf(const QString& prefix);
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int x = 60);
    // Selects the rows of these names alone.
    void SelectNames(const QStringList& prefixes);
    QString DetailText() { return Frame().RightView()->TextEdit()->toPlainText(); }
    void SetPrivateMode(int mode) { m_app->MainFrame()->SetPrivateMode(mode); }
    uint32_t CategoryId(const QString& name) { return Store().FindCategoryByName(name)->GetID(); }
    const CTavDbAddrRecord* CardOf(const QString& prefix) { return Doc().Card(RowOf(prefix)); }
    // The addresses the e-mail command handed on.
    QStringList MailUrls() const { return *m_mailUrls; }

private:
    void writeCards();
    void show();

    std::unique_ptr<AppTestEnv> m_env;
    std::unique_ptr<CTavApp> m_app;
    std::shared_ptr<QStringList> m_mailUrls = std::make_shared<QStringList>();
};
