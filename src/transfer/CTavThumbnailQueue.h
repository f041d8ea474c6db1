#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <memory>

#include "CTavContentThumbnail.h"

// Makes the thumbnails of a list of contents on worker threads, in list order, and hands each
// one to the owner's thread as it is made, so that a list fills while it is read. Starting
// again or destroying the queue cancels the pass in progress and waits for the decodes already
// running (one per thread); thumbnails of a cancelled pass are never delivered.
class CTavThumbnailQueue final : public QObject
{
    Q_OBJECT
public:
    struct Job
    {
        QString localPath;
        TavContentKind kind = TavContentKind::None;
    };

    explicit CTavThumbnailQueue(const QSize& box, int threads = 2, QObject* parent = nullptr);
    ~CTavThumbnailQueue() override;

    void Start(const QList<Job>& jobs);
    void Cancel();
    bool IsRunning() const { return m_running; }
    QSize Box() const { return m_box; }

signals:
    // index: the job's position in the list given to Start.
    void made(int index, const QImage& image, CTavContentThumbnail::Status status);
    void finished();

private:
    struct Pass;
    void deliver(const std::shared_ptr<Pass>& pass, int index, const CTavContentThumbnail::Result& result);
    void done(const std::shared_ptr<Pass>& pass);

    QSize m_box;
    int m_threads;
    QThreadPool m_pool;
    std::shared_ptr<Pass> m_pass;
    bool m_running = false;
};
