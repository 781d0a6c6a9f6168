// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idle/ScreenSaverIdleDetector.h"

#include "app/model/Clock.h"
#include "platform/idle/AsyncDBusCall.h"
#include "platform/idle/IdleLogging.h"

#include <array>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

// The freedesktop path first; KDE answers on its older one as well.
const std::array<QString, 2> objectPaths { u"/org/freedesktop/ScreenSaver"_s, u"/ScreenSaver"_s };

} // namespace

ScreenSaverIdleDetector::ScreenSaverIdleDetector(
    QDBusConnection bus, const Clock& clock, std::chrono::milliseconds interval, QObject* parent)
    : PollingIdleDetector(clock, interval, parent)
    , m_bus(std::move(bus))
{
}

QString ScreenSaverIdleDetector::mechanism() const
{
    return u"screensaver"_s;
}

void ScreenSaverIdleDetector::askIdleTime(const QString& path, std::function<void(std::optional<quint32>)> handler)
{
    const QDBusMessage call = QDBusMessage::createMethodCall(
        u"org.freedesktop.ScreenSaver"_s, path, u"org.freedesktop.ScreenSaver"_s, u"GetSessionIdleTime"_s);
    callAsync(m_bus, call, this, [handler = std::move(handler)](const QDBusMessage& reply) {
        const QVariant value = reply.arguments().value(0);
        const bool answered =
            reply.type() == QDBusMessage::ReplyMessage && value.metaType() == QMetaType::fromType<quint32>();
        handler(answered ? std::optional<quint32>(value.toUInt()) : std::nullopt);
    });
}

void ScreenSaverIdleDetector::probe()
{
    probePath(0);
}

void ScreenSaverIdleDetector::probePath(int index)
{
    if (index >= int(objectPaths.size())) {
        setProbed(false);
        return;
    }
    askIdleTime(objectPaths[index], [this, index](std::optional<quint32> answer) {
        if (!answer) {
            probePath(index + 1);
            return;
        }
        m_path = objectPaths[index];
        setProbed(true);
    });
}

void ScreenSaverIdleDetector::requestIdleTime()
{
    askIdleTime(m_path, [this](std::optional<quint32> answer) {
        if (answer)
            idleTimeArrived(toSeconds(*answer));
        else
            requestFailed();
    });
}

Seconds ScreenSaverIdleDetector::toSeconds(quint32 answer)
{
    if (!m_unit)
        learnUnit(answer);
    return m_unit == IdleTimeUnit::seconds ? Seconds(answer) : Seconds(answer) / 1000;
}

void ScreenSaverIdleDetector::learnUnit(quint32 answer)
{
    // Measured from an earlier answer a few seconds back (whole seconds need some to tell), which
    // the user's return replaces.
    const Seconds at = clock().monotonicNow();
    if (!m_reference || answer < m_reference->first) {
        m_reference = std::pair { answer, at };
        return;
    }
    const Seconds elapsed = at - m_reference->second;
    if (elapsed < 4)
        return;
    m_unit = idleTimeUnitOf(double(answer) - double(m_reference->first), elapsed);
    m_reference = std::pair { answer, at };
    if (m_unit)
        qCDebug(lcIdle) << "GetSessionIdleTime answers"
                        << (*m_unit == IdleTimeUnit::seconds ? "seconds" : "milliseconds");
}

} // namespace tivren
