#pragma once

#include <QObject>
#include <memory>

class QLockFile;
class QLocalServer;

// One running program per user: a lock file in the runtime folder plus a local server named
// after the product. A second start asks the first to come to the front and ends.
class CTavSingleInstance final : public QObject
{
    Q_OBJECT
public:
    explicit CTavSingleInstance(const QString& productName, QObject* parent = nullptr);
    ~CTavSingleInstance() override;

    // True when this process is the only one; false when another runs (it has then been asked
    // to raise its window) or when the lock cannot be made at all.
    bool acquire();
    void release();

signals:
    // Another start asked this instance to show its main window.
    void activationRequested();

private:
    QString socketPath() const;
    void askOwnerToActivate() const;
    void onNewConnection();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
