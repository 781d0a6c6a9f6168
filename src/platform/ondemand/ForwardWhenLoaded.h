// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"

#include <qcoro/qcorotask.h>

#include <utility>

namespace tivren {

// Waits for the service (made from the services module on first use), then makes the call on it;
// the service's error type reports a module that could not be loaded.
template <typename Service, typename Error, typename Result, typename... Args>
QCoro::Task<Expected<Result, Error>> forwardWhenLoaded(QCoro::Task<Expected<Service*, Error>> loading,
    QCoro::Task<Expected<Result, Error>> (Service::*call)(Args...),
    Args... args)
{
    const auto loaded = co_await std::move(loading);
    if (!loaded)
        co_return Unexpected(loaded.error());
    auto running = ((*loaded)->*call)(std::move(args)...);
    co_return co_await std::move(running);
}

} // namespace tivren
