// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/overlay/EdgeGradientWidget.h"

#include <QColor>

#include <cstddef>
#include <cstdint>
#include <list>

struct wl_buffer;
struct wl_compositor;
struct wl_output;
struct wl_shm;
struct wl_surface;
struct zwlr_layer_shell_v1;
struct zwlr_layer_surface_v1;

namespace tivren {

// What every band on one compositor connection draws with.
struct LayerShellGlobals
{
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
};

// One band down the left or right edge of one output: a layer surface on the overlay layer that
// runs over panels, never takes the keyboard and lets every click through. It draws into shared
// memory buffers at the output's scale, so HiDPI bands are as crisp as the widget bands.
class LayerSurfaceBand
{
public:
    static constexpr int width = 80; // logical pixels, like the widget bands

    LayerSurfaceBand(const LayerShellGlobals& globals, wl_output* output, int scale, EdgeGradientWidget::Edge edge);
    ~LayerSurfaceBand();
    LayerSurfaceBand(const LayerSurfaceBand&) = delete;
    LayerSurfaceBand& operator=(const LayerSurfaceBand&) = delete;

    // Draws the band anew once the compositor has given it a size; until then it is remembered.
    void setLook(const QColor& color, qreal opacity);

    [[nodiscard]] wl_output* output() const { return m_output; }
    // The compositor took the band away (its output went); the owner drops it.
    [[nodiscard]] bool isClosed() const { return m_closed; }

private:
    struct Buffer
    {
        wl_buffer* buffer = nullptr;
        void* data = nullptr;
        std::size_t size = 0;
    };

    static void configured(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height);
    static void closed(void* data, zwlr_layer_surface_v1*);
    static void released(void* data, wl_buffer* buffer);

    void draw();
    Buffer* newBuffer(int pixelWidth, int pixelHeight);
    void dropBuffer(wl_buffer* buffer);

    wl_shm* m_shm;
    wl_output* m_output;
    wl_surface* m_surface = nullptr;
    zwlr_layer_surface_v1* m_layerSurface = nullptr;
    EdgeGradientWidget::Edge m_edge;
    int m_scale;
    int m_width = 0;
    int m_height = 0;
    QColor m_color;
    qreal m_opacity = 0;
    bool m_closed = false;
    // Buffers the compositor may still read; each goes when it is released, the rest with the band.
    std::list<Buffer> m_buffers;
};

} // namespace tivren
