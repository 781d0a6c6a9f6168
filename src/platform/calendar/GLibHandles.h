// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <glib-object.h>
#include <memory>

// Owners for what GLib and Evolution Data Server hand out, so every early return releases it.
namespace tivren {

struct GObjectUnref
{
    void operator()(gpointer object) const
    {
        if (object)
            g_object_unref(object);
    }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree
{
    void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

// A GError slot that frees what it holds.
class GErrorSlot
{
public:
    GErrorSlot() = default;
    ~GErrorSlot() { g_clear_error(&m_error); }
    GErrorSlot(const GErrorSlot&) = delete;
    GErrorSlot& operator=(const GErrorSlot&) = delete;

    GError** out()
    {
        g_clear_error(&m_error);
        return &m_error;
    }
    [[nodiscard]] bool matches(GQuark domain, int code) const { return g_error_matches(m_error, domain, code); }
    [[nodiscard]] QString text() const
    {
        return m_error ? QString::fromUtf8(m_error->message) : QStringLiteral("unknown error");
    }

private:
    GError* m_error = nullptr;
};

inline QString fromUtf8(const gchar* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace tivren
