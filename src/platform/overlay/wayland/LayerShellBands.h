// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/overlay/wayland/LayerSurfaceBand.h"

#include <QColor>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_callback;
struct wl_display;
struct wl_registry;

namespace tivren {

// The break bands on Wayland: two layer-shell bands per output, on a connection to the compositor
// of their own (Qt 6.4 cannot give one of its windows the layer-shell role). Everything is
// asynchronous: the compositor's globals arrive after construction, and bands asked for before
// then appear once they have. A compositor without the layer shell (GNOME, Weston) gets no bands
// at all, which is logged once.
class LayerShellBands : public QObject
{
    Q_OBJECT

public:
    explicit LayerShellBands(QObject* parent = nullptr);
    ~LayerShellBands() override;

    // Fades bands of this colour in to opacity on every output, replacing any bands up now.
    void show(const QColor& color, qreal opacity, std::chrono::milliseconds fadeIn);
    // Fades the bands out and then removes them.
    void hide(std::chrono::milliseconds fadeOut);

    // Bands are asked for and the compositor can (or may yet turn out to) show them.
    [[nodiscard]] bool isShown() const { return m_shown && !m_unavailable; }
    // Bands are fading away after hide().
    [[nodiscard]] bool isFadingOut() const { return !m_shown && !m_bands.empty(); }
    [[nodiscard]] int bandCount() const { return int(m_bands.size()); }

private:
    struct Output
    {
        LayerShellBands* owner = nullptr;
        uint32_t name = 0;
        wl_output* proxy = nullptr;
        int scale = 1;
        bool ready = false; // its properties are all known
    };

    static void globalAdded(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version);
    static void globalRemoved(void* data, wl_registry*, uint32_t name);
    static void discoveryDone(void* data, wl_callback* callback, uint32_t);
    static void outputScale(void* data, wl_output*, int32_t factor);
    static void outputDone(void* data, wl_output*);

    void connectToCompositor();
    void addOutput(uint32_t name, uint32_t version);
    void giveUp(const char* reason);
    void dispatch();
    void flush();
    void buildBands(Output& output);
    void dropBands(wl_output* output);
    void stepFade();
    void paintAll();

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    LayerShellGlobals m_globals;
    std::vector<std::unique_ptr<Output>> m_outputs;
    std::vector<std::unique_ptr<LayerSurfaceBand>> m_bands;
    bool m_unavailable = false;

    bool m_shown = false;
    QColor m_color;
    qreal m_opacity = 0; // of the bands on screen now
    qreal m_target = 0;
    qreal m_step = 0;
    QTimer m_fadeTimer;
};

} // namespace tivren
