// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ondemand/StartupProbes.h"

#include "platform/calendar/EdsCalendarStore.h"
#include "platform/calendar/EdsNotInstalled.h"
#include "platform/desktop/SecretServiceSearch.h"

#include <QDBusMessage>
#include <QStringList>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace tivren::StartupProbes {
namespace {

constexpr std::chrono::seconds timeLimit { 5 };

QCoro::Task<std::optional<QStringList>> busNames(QString method)
{
    const QDBusMessage call = QDBusMessage::createMethodCall(
        u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s, u"org.freedesktop.DBus"_s, method);
    auto answering = sessionBusAnswer(call, timeLimit);
    const QDBusMessage answer = co_await std::move(answering);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
        co_return std::nullopt;
    co_return answer.arguments().constFirst().toStringList();
}

bool hasNameStartingWith(const QStringList& names, const QString& prefix)
{
    return std::any_of(names.cbegin(), names.cend(), [&prefix](const QString& name) {
        return name.startsWith(prefix);
    });
}

} // namespace

QCoro::Task<std::optional<Expected<CalendarAuthorizationStatus, CalendarStoreError>>> desktopCalendarStatus()
{
    const QString registry = QString::fromLatin1(EdsCalendarStore::defaultRegistryService);
    // Running: full access; only startable: not determined yet.
    const std::pair<QString, CalendarAuthorizationStatus> steps[] {
        { u"ListNames"_s, CalendarAuthorizationStatus::fullAccess },
        { u"ListActivatableNames"_s, CalendarAuthorizationStatus::notDetermined },
    };
    for (const auto& [method, status] : steps) {
        auto listing = busNames(method);
        const auto names = co_await std::move(listing);
        if (!names)
            co_return std::nullopt;
        if (hasNameStartingWith(*names, registry))
            co_return status;
    }
    co_return Unexpected(edsNotInstalled());
}

QCoro::Task<bool> mayHoldSecret(QString service, QString account)
{
    // KDE's own wallet interface, which QtKeychain prefers where it runs, cannot be searched.
    auto listing = busNames(u"ListNames"_s);
    const auto running = co_await std::move(listing);
    if (!running || hasNameStartingWith(*running, u"org.kde.kwalletd"_s))
        co_return true;
    auto searching = searchSecretService(std::move(service), std::move(account), timeLimit);
    const auto found = co_await std::move(searching);
    if (!found) // no keyring at all reads as no token too
        co_return found.error().type() != QDBusError::ServiceUnknown;
    co_return !found->unlocked.isEmpty() || !found->locked.isEmpty();
}

} // namespace tivren::StartupProbes
