// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/idle/IdleDetector.h"

class QSocketNotifier;
struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;
struct wl_callback;
struct wl_display;
struct wl_registry;
struct wl_seat;

namespace tivren {

class Clock;

// wlroots compositors (Sway 1.8 and later, Hyprland, ...): the ext-idle-notify-v1 protocol, on a
// connection to the compositor of its own (Qt 6.4 does not share its wl_display). The compositor
// tells when the user has been idle for the threshold and when they come back, so nothing polls.
class ExtIdleNotifyDetector final : public IdleDetector
{
    Q_OBJECT

public:
    explicit ExtIdleNotifyDetector(const Clock& clock, QObject* parent = nullptr);
    ~ExtIdleNotifyDetector() override;

    void probe() override;
    [[nodiscard]] QString mechanism() const override;
    [[nodiscard]] bool isAvailable() const override { return m_available; }
    void watch(Seconds threshold) override;
    void stopWatching() override;

private:
    static void globalAdded(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version);
    static void globalRemoved(void* data, wl_registry*, uint32_t name);
    static void discoveryDone(void* data, wl_callback* callback, uint32_t);
    static void idled(void* data, ext_idle_notification_v1*);
    static void resumed(void* data, ext_idle_notification_v1*);

    void dispatch();
    void flush();
    void giveUp();

    const Clock& m_clock;
    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    ext_idle_notifier_v1* m_idleNotifier = nullptr;
    wl_seat* m_seat = nullptr;
    uint32_t m_seatName = 0;
    ext_idle_notification_v1* m_notification = nullptr; // while watching
    Seconds m_threshold = 0;
    bool m_probing = false;
    bool m_available = false;
};

} // namespace tivren
