// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

namespace tivren {

// Whether translucent windows blend on this display. On X11 that needs a compositing manager, which
// owns the selection _NET_WM_CM_S<screen> while it runs; without one an ARGB window is drawn opaque.
// The owner is followed through XFixes selection events, so nothing polls. Other platforms
// (Wayland, offscreen) always blend.
class X11Compositing : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit X11Compositing(QObject* parent = nullptr);
    ~X11Compositing() override;

    [[nodiscard]] bool isActive() const { return m_active; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    void activeChanged(bool active);

private:
    // Subscribes to the selection's owner changes; false where the display offers no XFixes.
    bool watch();

    bool m_active = true;
    std::uint32_t m_selection = 0; // the atom _NET_WM_CM_S<screen>
    std::uint8_t m_selectionNotify = 0; // XFixes' event code for owner changes
};

} // namespace tivren
