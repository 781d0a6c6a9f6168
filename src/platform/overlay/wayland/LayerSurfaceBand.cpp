// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/wayland/LayerSurfaceBand.h"

#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <QImage>
#include <QPainter>
#include <QtDebug>

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace tivren {

LayerSurfaceBand::LayerSurfaceBand(
    const LayerShellGlobals& globals, wl_output* output, int scale, EdgeGradientWidget::Edge edge)
    : m_shm(globals.shm)
    , m_output(output)
    , m_edge(edge)
    , m_scale(qMax(1, scale))
{
    static const zwlr_layer_surface_v1_listener listener { &LayerSurfaceBand::configured, &LayerSurfaceBand::closed };

    m_surface = wl_compositor_create_surface(globals.compositor);
    // An empty input region: pointer and touch go to whatever lies underneath.
    wl_region* nothing = wl_compositor_create_region(globals.compositor);
    wl_surface_set_input_region(m_surface, nothing);
    wl_region_destroy(nothing);
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(m_surface)) >= WL_SURFACE_SET_BUFFER_SCALE_SINCE_VERSION)
        wl_surface_set_buffer_scale(m_surface, m_scale);
    else
        m_scale = 1;

    m_layerSurface = zwlr_layer_shell_v1_get_layer_surface(
        globals.layerShell, m_surface, output, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "tivren-break-band");
    zwlr_layer_surface_v1_add_listener(m_layerSurface, &listener, this);
    const uint32_t side =
        edge == EdgeGradientWidget::Edge::left ? ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT : ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;
    zwlr_layer_surface_v1_set_anchor(
        m_layerSurface, side | ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM);
    zwlr_layer_surface_v1_set_size(m_layerSurface, width, 0); // full height between the anchors
    zwlr_layer_surface_v1_set_exclusive_zone(m_layerSurface, -1); // over panels, moving nothing
    zwlr_layer_surface_v1_set_keyboard_interactivity(m_layerSurface, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    // The first commit carries no buffer: it asks the compositor for a size.
    wl_surface_commit(m_surface);
}

LayerSurfaceBand::~LayerSurfaceBand()
{
    zwlr_layer_surface_v1_destroy(m_layerSurface);
    wl_surface_destroy(m_surface);
    for (Buffer& buffer : m_buffers) {
        wl_buffer_destroy(buffer.buffer);
        munmap(buffer.data, buffer.size);
    }
}

void LayerSurfaceBand::setLook(const QColor& color, qreal opacity)
{
    m_color = color;
    m_opacity = opacity;
    if (m_width > 0 && m_height > 0)
        draw();
}

void LayerSurfaceBand::configured(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height)
{
    auto* band = static_cast<LayerSurfaceBand*>(data);
    zwlr_layer_surface_v1_ack_configure(band->m_layerSurface, serial);
    band->m_width = width > 0 ? int(width) : LayerSurfaceBand::width;
    band->m_height = int(height);
    if (band->m_height > 0)
        band->draw();
}

void LayerSurfaceBand::closed(void* data, zwlr_layer_surface_v1*)
{
    static_cast<LayerSurfaceBand*>(data)->m_closed = true;
}

void LayerSurfaceBand::released(void* data, wl_buffer* buffer)
{
    static_cast<LayerSurfaceBand*>(data)->dropBuffer(buffer);
}

void LayerSurfaceBand::draw()
{
    Buffer* buffer = newBuffer(m_width * m_scale, m_height * m_scale);
    if (!buffer)
        return;
    QImage image(static_cast<uchar*>(buffer->data),
        m_width * m_scale,
        m_height * m_scale,
        m_width * m_scale * 4,
        QImage::Format_ARGB32_Premultiplied); // wl_shm's ARGB8888 on little-endian machines
    image.setDevicePixelRatio(m_scale);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        EdgeGradientWidget::paintBand(painter, QRectF(0, 0, m_width, m_height), m_color, m_edge, m_opacity);
    }
    wl_surface_attach(m_surface, buffer->buffer, 0, 0);
    wl_surface_damage(m_surface, 0, 0, m_width, m_height);
    wl_surface_commit(m_surface);
}

LayerSurfaceBand::Buffer* LayerSurfaceBand::newBuffer(int pixelWidth, int pixelHeight)
{
    const int stride = pixelWidth * 4;
    const std::size_t size = std::size_t(stride) * std::size_t(pixelHeight);
    const int fd = memfd_create("tivren-band", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, off_t(size)) < 0) {
        qWarning("Break band: no shared memory for a %dx%d buffer", pixelWidth, pixelHeight);
        if (fd >= 0)
            close(fd);
        return nullptr;
    }
    void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED) {
        close(fd);
        qWarning("Break band: cannot map a %dx%d buffer", pixelWidth, pixelHeight);
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(m_shm, fd, int32_t(size));
    wl_buffer* buffer = wl_shm_pool_create_buffer(pool, 0, pixelWidth, pixelHeight, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool); // the buffer keeps the memory
    close(fd);
    static const wl_buffer_listener listener { &LayerSurfaceBand::released };
    wl_buffer_add_listener(buffer, &listener, this);
    m_buffers.push_back({ buffer, data, size });
    return &m_buffers.back();
}

void LayerSurfaceBand::dropBuffer(wl_buffer* buffer)
{
    for (auto it = m_buffers.begin(); it != m_buffers.end(); ++it) {
        if (it->buffer == buffer) {
            wl_buffer_destroy(it->buffer);
            munmap(it->data, it->size);
            m_buffers.erase(it);
            return;
        }
    }
}

} // namespace tivren
