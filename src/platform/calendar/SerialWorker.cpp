// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/calendar/SerialWorker.h"

#include <QDeadlineTimer>

namespace tivren {

SerialWorker::SerialWorker(const QString& name, QObject* parent)
    : QObject(parent)
    , m_thread(new QThread)
    , m_threadContext(new QObject)
{
    m_thread->setObjectName(name);
    m_threadContext->moveToThread(m_thread);
    m_thread->start();
}

SerialWorker::~SerialWorker()
{
    // Queued behind every job still waiting, so the final job runs last.
    QMetaObject::invokeMethod(
        m_threadContext,
        [finalJob = std::move(m_finalJob)] {
            if (finalJob)
                finalJob();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (!m_thread->wait(QDeadlineTimer(m_stopLimit))) {
        // A job is stuck in a call that never returns; the process is better off leaving the
        // thread behind than hanging on it (at quit, it ends with the process).
        qWarning("%s: a job did not finish; leaving its thread behind", qPrintable(m_thread->objectName()));
        return;
    }
    delete m_threadContext;
    delete m_thread;
}

} // namespace tivren
