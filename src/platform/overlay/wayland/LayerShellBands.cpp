// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/wayland/LayerShellBands.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <QByteArrayView>
#include <QSocketNotifier>
#include <QtDebug>

#include <algorithm>
#include <wayland-client.h>

using namespace std::chrono_literals;

namespace tivren {

namespace {

// A handful of steps per fade: soft enough, and each step redraws every band.
constexpr auto fadeTick = 50ms;

template <typename Proxy> uint32_t versionOf(Proxy* proxy)
{
    return wl_proxy_get_version(reinterpret_cast<wl_proxy*>(proxy));
}

} // namespace

LayerShellBands::LayerShellBands(QObject* parent)
    : QObject(parent)
{
    m_fadeTimer.setInterval(fadeTick);
    connect(&m_fadeTimer, &QTimer::timeout, this, &LayerShellBands::stepFade);
    connectToCompositor();
}

LayerShellBands::~LayerShellBands()
{
    if (!m_display)
        return;
    m_bands.clear();
    for (const auto& output : m_outputs)
        wl_output_destroy(output->proxy);
    if (m_globals.layerShell && versionOf(m_globals.layerShell) >= ZWLR_LAYER_SHELL_V1_DESTROY_SINCE_VERSION)
        zwlr_layer_shell_v1_destroy(m_globals.layerShell);
    else if (m_globals.layerShell)
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(m_globals.layerShell));
    if (m_globals.shm)
        wl_shm_destroy(m_globals.shm);
    if (m_globals.compositor)
        wl_compositor_destroy(m_globals.compositor);
    wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_display_disconnect(m_display);
}

void LayerShellBands::connectToCompositor()
{
    // WAYLAND_DISPLAY names the compositor Qt talks to as well.
    m_display = wl_display_connect(nullptr);
    if (!m_display) {
        giveUp("cannot connect to the Wayland compositor named by WAYLAND_DISPLAY");
        return;
    }
    static const wl_registry_listener registryListener { &LayerShellBands::globalAdded,
        &LayerShellBands::globalRemoved };
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, this);
    // Answered after every global has been announced.
    static const wl_callback_listener discoveryListener { &LayerShellBands::discoveryDone };
    wl_callback_add_listener(wl_display_sync(m_display), &discoveryListener, this);

    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LayerShellBands::dispatch);
    flush();
}

void LayerShellBands::show(const QColor& color, qreal opacity, std::chrono::milliseconds fadeIn)
{
    m_shown = true;
    m_color = color;
    m_bands.clear(); // new bands fade in from nothing, like the widget bands
    m_opacity = 0;
    m_target = opacity;
    m_step = opacity / qMax<qint64>(1, fadeIn / fadeTick);
    for (const auto& output : m_outputs)
        buildBands(*output);
    m_fadeTimer.start();
    flush();
}

void LayerShellBands::hide(std::chrono::milliseconds fadeOut)
{
    m_shown = false;
    m_target = 0;
    m_step = m_opacity / qMax<qint64>(1, fadeOut / fadeTick);
    if (m_bands.empty())
        m_fadeTimer.stop();
    else
        m_fadeTimer.start();
}

void LayerShellBands::globalAdded(
    void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    auto* self = static_cast<LayerShellBands*>(data);
    const QByteArrayView offered(interface);
    LayerShellGlobals& globals = self->m_globals;
    // Buffer scales need wl_surface version 3; older compositors get bands at scale 1.
    if (offered == wl_compositor_interface.name && !globals.compositor)
        globals.compositor = static_cast<wl_compositor*>(
            wl_registry_bind(registry, name, &wl_compositor_interface, std::min(version, 4u)));
    else if (offered == wl_shm_interface.name && !globals.shm)
        globals.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    else if (offered == zwlr_layer_shell_v1_interface.name && !globals.layerShell)
        globals.layerShell = static_cast<zwlr_layer_shell_v1*>(
            wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface, std::min(version, 4u)));
    else if (offered == wl_output_interface.name)
        self->addOutput(name, version);
}

void LayerShellBands::globalRemoved(void* data, wl_registry*, uint32_t name)
{
    auto* self = static_cast<LayerShellBands*>(data);
    const auto gone = std::find_if(self->m_outputs.begin(), self->m_outputs.end(), [name](const auto& output) {
        return output->name == name;
    });
    if (gone == self->m_outputs.end())
        return;
    self->dropBands((*gone)->proxy);
    wl_output_destroy((*gone)->proxy);
    self->m_outputs.erase(gone);
}

void LayerShellBands::discoveryDone(void* data, wl_callback* callback, uint32_t)
{
    wl_callback_destroy(callback);
    auto* self = static_cast<LayerShellBands*>(data);
    if (!self->m_globals.layerShell)
        self->giveUp("the compositor offers no layer shell (zwlr_layer_shell_v1)");
    else if (!self->m_globals.compositor || !self->m_globals.shm)
        self->giveUp("the compositor offers no wl_compositor or wl_shm");
}

void LayerShellBands::addOutput(uint32_t name, uint32_t version)
{
    auto output = std::make_unique<Output>();
    output->owner = this;
    output->name = name;
    // Version 2 brings the scale and the "done" that closes each round of properties.
    output->proxy =
        static_cast<wl_output*>(wl_registry_bind(m_registry, name, &wl_output_interface, std::min(version, 2u)));
    static const wl_output_listener listener {
        [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t) {},
        [](void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {},
        &LayerShellBands::outputDone,
        &LayerShellBands::outputScale,
        [](void*, wl_output*, const char*) {},
        [](void*, wl_output*, const char*) {},
    };
    wl_output_add_listener(output->proxy, &listener, output.get());
    output->ready = version < 2;
    m_outputs.push_back(std::move(output));
    buildBands(*m_outputs.back());
}

void LayerShellBands::outputScale(void* data, wl_output*, int32_t factor)
{
    static_cast<Output*>(data)->scale = std::max(1, factor);
}

void LayerShellBands::outputDone(void* data, wl_output*)
{
    // Sent again whenever the output changes (scale, mode): its bands are made anew to match.
    auto* output = static_cast<Output*>(data);
    output->ready = true;
    output->owner->buildBands(*output);
}

void LayerShellBands::giveUp(const char* reason)
{
    if (!m_unavailable)
        qInfo("Break bands are not shown on this desktop: %s", reason);
    m_unavailable = true;
    m_fadeTimer.stop();
    m_bands.clear();
    if (m_notifier)
        m_notifier->setEnabled(false);
}

void LayerShellBands::dispatch()
{
    // Reads only what the socket holds, so the event loop never waits for the compositor.
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0)
            return giveUp("the connection to the Wayland compositor broke");
    }
    if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
        return giveUp("the connection to the Wayland compositor broke");
    std::erase_if(m_bands, [](const auto& band) {
        return band->isClosed();
    });
    flush();
}

void LayerShellBands::flush()
{
    if (m_display && !m_unavailable)
        wl_display_flush(m_display);
}

void LayerShellBands::buildBands(Output& output)
{
    if (!m_shown || m_unavailable || !output.ready || !m_globals.layerShell || !m_globals.compositor || !m_globals.shm)
        return;
    dropBands(output.proxy);
    for (const auto edge : { EdgeGradientWidget::Edge::left, EdgeGradientWidget::Edge::right }) {
        auto band = std::make_unique<LayerSurfaceBand>(m_globals, output.proxy, output.scale, edge);
        band->setLook(m_color, m_opacity);
        m_bands.push_back(std::move(band));
    }
}

void LayerShellBands::dropBands(wl_output* output)
{
    std::erase_if(m_bands, [output](const auto& band) {
        return band->output() == output;
    });
}

void LayerShellBands::stepFade()
{
    m_opacity = m_opacity < m_target ? std::min(m_target, m_opacity + m_step) : std::max(m_target, m_opacity - m_step);
    if (m_opacity == m_target) {
        m_fadeTimer.stop();
        if (!m_shown)
            m_bands.clear();
    }
    paintAll();
    flush();
}

void LayerShellBands::paintAll()
{
    for (const auto& band : m_bands)
        band->setLook(m_color, m_opacity);
}

} // namespace tivren
