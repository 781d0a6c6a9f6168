// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idle/ExtIdleNotifyDetector.h"

#include "app/model/Clock.h"
#include "ext-idle-notify-v1-client-protocol.h"

#include <QByteArrayView>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <utility>
#include <wayland-client.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace tivren {

namespace {

constexpr auto probeTimeout = 5s;

} // namespace

ExtIdleNotifyDetector::ExtIdleNotifyDetector(const Clock& clock, QObject* parent)
    : IdleDetector(parent)
    , m_clock(clock)
{
}

ExtIdleNotifyDetector::~ExtIdleNotifyDetector()
{
    if (!m_display)
        return;
    stopWatching();
    if (m_idleNotifier)
        ext_idle_notifier_v1_destroy(m_idleNotifier);
    if (m_seat)
        wl_seat_destroy(m_seat);
    wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
}

QString ExtIdleNotifyDetector::mechanism() const
{
    return u"ext-idle-notify"_s;
}

void ExtIdleNotifyDetector::probe()
{
    // Without WAYLAND_DISPLAY, libwayland would try "wayland-0", which may be another session's.
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || !(m_display = wl_display_connect(nullptr))) {
        QTimer::singleShot(0, this, [this] {
            Q_EMIT probed(false);
        });
        return;
    }
    m_probing = true;
    static const wl_registry_listener registryListener { &ExtIdleNotifyDetector::globalAdded,
        &ExtIdleNotifyDetector::globalRemoved };
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    // Answered after every global has been announced.
    static const wl_callback_listener discoveryListener { &ExtIdleNotifyDetector::discoveryDone };
    wl_callback_add_listener(wl_display_sync(m_display), &discoveryListener, this);
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExtIdleNotifyDetector::dispatch);
    flush();
    // A compositor that does not answer would otherwise keep the detectors after this one unasked.
    QTimer::singleShot(probeTimeout, this, [this] {
        if (m_probing)
            giveUp();
    });
}

void ExtIdleNotifyDetector::globalAdded(
    void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* self = static_cast<ExtIdleNotifyDetector*>(data);
    const QByteArrayView offered(interface);
    if (offered == ext_idle_notifier_v1_interface.name && !self->m_idleNotifier) {
        self->m_idleNotifier =
            static_cast<ext_idle_notifier_v1*>(wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    } else if (offered == wl_seat_interface.name && !self->m_seat) {
        // The first seat: a desktop with several seats has one user at each, and this is ours.
        self->m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        self->m_seatName = name;
    }
}

void ExtIdleNotifyDetector::globalRemoved(void* data, wl_registry*, uint32_t name)
{
    auto* self = static_cast<ExtIdleNotifyDetector*>(data);
    if (self->m_seat && name == self->m_seatName)
        self->giveUp();
}

void ExtIdleNotifyDetector::discoveryDone(void* data, wl_callback* callback, uint32_t)
{
    wl_callback_destroy(callback);
    auto* self = static_cast<ExtIdleNotifyDetector*>(data);
    if (!std::exchange(self->m_probing, false))
        return; // given up meanwhile
    self->m_available = self->m_idleNotifier && self->m_seat;
    if (!self->m_available)
        self->m_notifier->setEnabled(false); // nothing more to hear
    Q_EMIT self->probed(self->m_available);
}

void ExtIdleNotifyDetector::watch(Seconds threshold)
{
    if (!m_available)
        return;
    stopWatching();
    m_threshold = threshold;
    const double msecs = std::clamp(std::round(threshold * 1000), 0.0, double(std::numeric_limits<uint32_t>::max()));
    m_notification = ext_idle_notifier_v1_get_idle_notification(m_idleNotifier, uint32_t(msecs), m_seat);
    static const ext_idle_notification_v1_listener listener { &ExtIdleNotifyDetector::idled,
        &ExtIdleNotifyDetector::resumed };
    ext_idle_notification_v1_add_listener(m_notification, &listener, this);
    flush();
}

void ExtIdleNotifyDetector::stopWatching()
{
    if (!m_notification)
        return;
    ext_idle_notification_v1_destroy(m_notification);
    m_notification = nullptr;
    flush();
}

void ExtIdleNotifyDetector::idled(void* data, ext_idle_notification_v1*)
{
    // Sent once the user has been idle for the threshold, so idleness began that long ago.
    auto* self = static_cast<ExtIdleNotifyDetector*>(data);
    Q_EMIT self->becameIdle(self->m_clock.now() - self->m_threshold);
}

void ExtIdleNotifyDetector::resumed(void* data, ext_idle_notification_v1*)
{
    auto* self = static_cast<ExtIdleNotifyDetector*>(data);
    Q_EMIT self->becameActive(self->m_clock.now());
}

void ExtIdleNotifyDetector::dispatch()
{
    // Reads only what the socket holds, so the event loop never waits for the compositor.
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0)
            return giveUp();
    }
    if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
        return giveUp();
    flush();
}

void ExtIdleNotifyDetector::flush()
{
    if (m_display && m_notifier && m_notifier->isEnabled())
        wl_display_flush(m_display);
}

void ExtIdleNotifyDetector::giveUp()
{
    // The compositor went away or took the seat: idleness is unknown from now on.
    m_notifier->setEnabled(false);
    if (m_probing) {
        m_probing = false;
        Q_EMIT probed(false);
        return;
    }
    if (std::exchange(m_available, false))
        Q_EMIT availabilityChanged();
}

} // namespace tivren
