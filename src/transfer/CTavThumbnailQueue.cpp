#include "CTavThumbnailQueue.h"

#include <QMetaObject>
#include <atomic>

struct CTavThumbnailQueue::Pass
{
    QList<Job> jobs;
    QSize box;
    std::atomic<bool> cancelled{false};
    std::atomic<int> next{0};
    std::atomic<int> workers{0};
};

CTavThumbnailQueue::CTavThumbnailQueue(const QSize& box, int threads, QObject* parent)
    : QObject(parent), m_box(box), m_threads(std::max(1, threads))
{
    m_pool.setMaxThreadCount(m_threads);
    m_pool.setObjectName(QStringLiteral("thumbnails"));
}

CTavThumbnailQueue::~CTavThumbnailQueue()
{
    Cancel();
}

void CTavThumbnailQueue::Cancel()
{
    if (m_pass)
        m_pass->cancelled = true;
    m_pool.waitForDone();
    m_pass.reset();
    m_running = false;
}

void CTavThumbnailQueue::Start(const QList<Job>& jobs)
{
    Cancel();
    auto pass = std::make_shared<Pass>();
    pass->jobs = jobs;
    pass->box = m_box;
    m_pass = pass;
    m_running = true;
    const int workers = std::min<int>(m_threads, std::max<qsizetype>(1, jobs.size()));
    pass->workers = workers;
    for (int w = 0; w < workers; ++w) {
        m_pool.start([this, pass] {
            for (int i = pass->next++; i < pass->jobs.size() && !pass->cancelled; i = pass->next++) {
                const Job& job = pass->jobs[i];
                const CTavContentThumbnail::Result result =
                    CTavContentThumbnail::Make(job.localPath, job.kind, pass->box);
                QMetaObject::invokeMethod(
                    this, [this, pass, i, result] { deliver(pass, i, result); }, Qt::QueuedConnection);
            }
            if (--pass->workers == 0)
                QMetaObject::invokeMethod(
                    this, [this, pass] { done(pass); }, Qt::QueuedConnection);
        });
    }
}

void CTavThumbnailQueue::deliver(const std::shared_ptr<Pass>& pass, int index,
                                 const CTavContentThumbnail::Result& result)
{
    if (pass == m_pass && !pass->cancelled)
        emit made(index, result.image, result.status);
}

void CTavThumbnailQueue::done(const std::shared_ptr<Pass>& pass)
{
    if (pass != m_pass || pass->cancelled)
        return;
    m_running = false;
    emit finished();
}
