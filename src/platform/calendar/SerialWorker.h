// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QString>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tivren {

// One thread of its own that runs jobs one at a time, in the order given, with an event loop
// between them (so GLib sources made on it are served). Every job has a time limit: the caller
// hears of the timeout then, even when the job is stuck and holds up the thread. Created, used
// and destroyed on one thread (the user-interface thread).
class SerialWorker : public QObject
{
    Q_OBJECT

public:
    explicit SerialWorker(const QString& name, QObject* parent = nullptr);
    // Runs finalJob (if any) on the thread, then stops it. Waits at most stopLimit for a stuck job
    // and then leaves the thread behind rather than hang the caller.
    ~SerialWorker() override;

    void setFinalJob(std::function<void()> job) { m_finalJob = std::move(job); }
    void setStopLimit(std::chrono::milliseconds limit) { m_stopLimit = limit; }

    // The job's result, or nothing when it did not finish within the limit. onTimeout runs on the
    // caller's thread when the limit passes first (to cancel the job); a job whose limit passed
    // before it could start is skipped.
    template <typename Job>
    QFuture<std::optional<std::invoke_result_t<Job>>> run(
        std::chrono::milliseconds limit, Job job, std::function<void()> onTimeout = {})
    {
        using Result = std::optional<std::invoke_result_t<Job>>;
        struct State
        {
            QPromise<Result> promise;
            std::atomic<bool> settled = false;
        };
        auto state = std::make_shared<State>();
        state->promise.start();
        QFuture<Result> future = state->promise.future();
        QMetaObject::invokeMethod(
            m_threadContext,
            [state, job = std::move(job)]() mutable {
                if (state->settled.load())
                    return;
                Result result(job());
                if (!state->settled.exchange(true)) {
                    state->promise.addResult(std::move(result));
                    state->promise.finish();
                }
            },
            Qt::QueuedConnection);
        QTimer::singleShot(limit, this, [state, onTimeout = std::move(onTimeout)] {
            if (state->settled.exchange(true))
                return;
            if (onTimeout)
                onTimeout();
            state->promise.addResult(Result());
            state->promise.finish();
        });
        return future;
    }

private:
    QThread* m_thread;
    QObject* m_threadContext; // lives on m_thread: jobs are queued calls to it
    std::function<void()> m_finalJob;
    std::chrono::milliseconds m_stopLimit { 3000 };
};

} // namespace tivren
