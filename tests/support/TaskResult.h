// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Waiting for a coroutine's result in a test, with a time limit, also for results without a
// default value (QCoro::waitFor needs one).
#include <QTest>
#include <qcoro/qcorotask.h>

#include <memory>
#include <optional>

namespace tivren::testing {

template <typename T> QCoro::Task<> keepTaskResult(QCoro::Task<T> task, std::shared_ptr<std::optional<T>> result)
{
    QCoro::Task<T> running = std::move(task);
    auto value = co_await std::move(running);
    result->emplace(std::move(value));
}

// The result, or nothing when the task did not finish within the time limit (a late result
// then goes nowhere).
template <typename T> std::optional<T> resultOf(QCoro::Task<T> task, int timeLimitMs = 20000)
{
    auto result = std::make_shared<std::optional<T>>();
    auto keeping = keepTaskResult(std::move(task), result);
    [[maybe_unused]] const bool finished = QTest::qWaitFor(
        [&result] {
            return result->has_value();
        },
        timeLimitMs);
    return *result;
}

} // namespace tivren::testing
