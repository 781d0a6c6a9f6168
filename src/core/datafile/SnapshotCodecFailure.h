// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1StringView>
#include <QString>

#include <utility>

// Shared by the reading and the writing half of SnapshotCodec; not for other code.
namespace tivren::SnapshotCodec::detail {

// Thrown inside the codec and caught at its boundary; each level adds its key to the path on the
// way out, so the happy path builds no path strings at all.
struct Failure
{
    QString path;
    QString reason;
};

inline void prependKey(Failure& failure, QLatin1StringView key)
{
    if (failure.path.isEmpty())
        failure.path = key;
    else if (failure.path.startsWith(u'['))
        failure.path.prepend(key);
    else
        failure.path = key + u'.' + failure.path;
}

[[noreturn]] inline void fail(QLatin1StringView key, QString reason)
{
    throw Failure { QString(key), std::move(reason) };
}

// Runs work() for the value under key, adding the key to the path of a failure.
template <typename Work> void at(QLatin1StringView key, Work work)
{
    try {
        work();
    } catch (Failure& failure) {
        prependKey(failure, key);
        throw;
    }
}

} // namespace tivren::SnapshotCodec::detail
