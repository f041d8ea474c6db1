#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// The program's end of the HotSync notifications: the manager sends a number (0 asks to
// start, 1 started, 2 or 3 ended, 4 no action, 0xFFFF presence query) and waits for the
// answer the handler gives (0 go ahead, 1 refuse, ...). Refusal explanations that the
// frame shows travel back as text in the answer, so the manager can print them.
// The handler runs on the thread of the channel and must not open a modal loop.
class CTavHotSyncChannel final : public QObject
{
    Q_OBJECT
public:
    struct Answer
    {
        int value = 0;
        QString explanation; // empty unless the request was refused
    };
    using Handler = std::function<Answer(int notification)>;

    explicit CTavHotSyncChannel(QObject* parent = nullptr);
    ~CTavHotSyncChannel() override;

    // Starts listening on CTavHotSyncManager::programSocketName(); false when that fails or
    // when another program already answers there.
    bool listen();
    // Without a handler every notification is refused (answer 1).
    void setHandler(Handler handler);

private:
    void onNewConnection();
    void serve(QLocalSocket* socket);

    std::unique_ptr<QLocalServer> m_server;
    Handler m_handler;
    bool m_busy = false;
};
