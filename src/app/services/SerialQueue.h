// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <coroutine>
#include <deque>
#include <utility>

namespace tivren {

// Lets the asynchronous operations of one service take turns, in the order they asked: each
// awaits its turn and holds it until the Turn is destroyed.
//
//     auto entering = m_queue.enter();
//     const SerialQueue::Turn turn = co_await entering;
class SerialQueue
{
public:
    class [[nodiscard]] Turn
    {
    public:
        explicit Turn(SerialQueue* queue)
            : m_queue(queue)
        {
        }
        Turn(Turn&& other) noexcept
            : m_queue(std::exchange(other.m_queue, nullptr))
        {
        }
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;
        Turn& operator=(Turn&&) = delete;
        ~Turn()
        {
            if (m_queue)
                m_queue->leave();
        }

    private:
        SerialQueue* m_queue;
    };

    class Entering
    {
    public:
        explicit Entering(SerialQueue& queue)
            : m_queue(queue)
        {
        }
        bool await_ready() const noexcept
        {
            if (m_queue.m_busy)
                return false;
            m_queue.m_busy = true;
            return true;
        }
        void await_suspend(std::coroutine_handle<> waiter) { m_queue.m_waiting.push_back(waiter); }
        Turn await_resume() const noexcept { return Turn(&m_queue); }

    private:
        SerialQueue& m_queue;
    };

    SerialQueue() = default;
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    [[nodiscard]] Entering enter() { return Entering(*this); }
    [[nodiscard]] bool isBusy() const { return m_busy; }

private:
    void leave()
    {
        if (m_waiting.empty()) {
            m_busy = false;
            return;
        }
        // The turn passes on directly (the queue stays busy), and the next operation continues from
        // the event loop rather than from inside the coroutine that is just ending.
        const std::coroutine_handle<> next = m_waiting.front();
        m_waiting.pop_front();
        QMetaObject::invokeMethod(
            &m_context,
            [next] {
                next.resume();
            },
            Qt::QueuedConnection);
    }

    bool m_busy = false;
    std::deque<std::coroutine_handle<>> m_waiting;
    QObject m_context;
};

} // namespace tivren
