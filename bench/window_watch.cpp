// SPDX-License-Identifier: GPL-3.0-or-later
// exec → first window mapped and drawn, watched from the X server's side: scripts/bench-desktop
// starts each program through this so that no polling process competes with it for the processor.
//   bench_window_watch TITLE PROGRAM [ARGS...]
// Prints "PID MAPPED_MS DRAWN_MS" once a top-level window whose title begins with TITLE is mapped
// and shows more than two colours (painted, not just the server's background), then exits and
// leaves the program running.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> owned(T* reply)
{
    return Reply<T>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
}

std::string title(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    const auto reply =
        owned(xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr));
    if (!reply)
        return {};
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(text, xcb_get_property_value_length(reply.get()));
}

// More than two distinct pixels: Xvfb's root weave has two, a painted window many.
bool drawn(xcb_connection_t* c, xcb_window_t window)
{
    const auto geometry = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!geometry)
        return false;
    const auto image = owned(xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width, geometry->height, ~0U), nullptr));
    if (!image)
        return false;
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image.get()));
    const int count = xcb_get_image_data_length(image.get()) / 4;
    std::set<std::uint32_t> seen;
    for (int i = 0; i < count && seen.size() <= 2; ++i)
        seen.insert(pixels[i] & 0xffffffU);
    return seen.size() > 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_window_watch TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    const std::string wanted = argv[1];
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "bench_window_watch: no X display\n");
        return 1;
    }
    const auto version = owned(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!version || !damage || !damage->present) {
        std::fprintf(stderr, "bench_window_watch: the X server has no DAMAGE extension\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    xcb_flush(c);

    alarm(30); // a program that never shows its window ends the watch
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO); // the caller reads our stdout until it closes
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    const auto elapsedMs = [&] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    xcb_window_t window = XCB_NONE;
    double mappedMs = 0;
    double seenMs = 0; // when the server told of the drawing looked at next
    while (xcb_generic_event_t* raw = xcb_wait_for_event(c)) {
        const auto event = owned(raw);
        const int type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY && window == XCB_NONE) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event.get());
            std::string name = title(c, map->window, netName, utf8);
            if (name.empty())
                name = title(c, map->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            if (name.rfind(wanted, 0) != 0)
                continue;
            mappedMs = elapsedMs();
            window = map->window;
            xcb_damage_create(c, xcb_generate_id(c), window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            seenMs = elapsedMs();
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY && window != XCB_NONE) {
            // Emptied before looking, so that drawing after the look is reported again.
            const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event.get());
            xcb_damage_subtract(c, notify->damage, XCB_NONE, XCB_NONE);
            seenMs = elapsedMs();
        } else {
            continue;
        }
        // Painted before the damage object existed, or painted now: look at the pixels. The time is
        // the server's news, not the end of the look, which takes longer for a larger window.
        if (drawn(c, window)) {
            std::printf("%d %.1f %.1f\n", pid, mappedMs, seenMs);
            return 0;
        }
    }
    std::fprintf(stderr, "bench_window_watch: the X connection closed\n");
    return 1;
}
