// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/datafile/Uuid.h"
#include "core/time/Instant.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <QUuid>

#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>

namespace tivren {

// Writes pretty-printed JSON (two-space indentation, one member per line) straight into a byte
// buffer that is handed to a sink chunk by chunk, so even a 50 MB document needs no buffer of its
// size. Callers emit the keys of an object in ascending order. The small writers are inline: the
// data file's 50,000 entries go through them.
class JsonWriter
{
public:
    // Receives the document in consecutive chunks; returns false to stop writing.
    using Sink = std::function<bool(QByteArrayView chunk)>;

    // Thrown when the sink refuses a chunk.
    struct SinkRefused
    {
    };

    explicit JsonWriter(const Sink& sink);

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    // A key that needs no escaping (the names of known fields).
    void key(QLatin1StringView name)
    {
        member();
        reserve(name.size() + 4);
        *m_p++ = '"';
        std::memcpy(m_p, name.data(), size_t(name.size()));
        m_p += name.size();
        std::memcpy(m_p, "\": ", 3);
        m_p += 3;
        m_afterKey = true;
    }
    // Any key, given as UTF-8.
    void key(QByteArrayView utf8);

    void string(const QString& value)
    {
        member();
        appendEscaped(value);
    }

    void uuid(const QUuid& value)
    {
        member();
        reserve(38);
        *m_p++ = '"';
        m_p = UuidText::writeUpper(m_p, value);
        *m_p++ = '"';
    }

    void boolean(bool value)
    {
        member();
        raw(value ? QByteArrayView("true") : QByteArrayView("false"));
    }

    void integer(int value)
    {
        member();
        reserve(16);
        m_p = std::to_chars(m_p, m_end, value).ptr;
    }

    // False, writing nothing, for a value JSON cannot hold (not finite).
    [[nodiscard]] bool number(double value)
    {
        if (!std::isfinite(value))
            return false;
        member();
        reserve(32);
        m_p = std::to_chars(m_p, m_end, value).ptr;
        return true;
    }

    // False for an instant outside the years 1 to 9999; the document is unusable then.
    [[nodiscard]] bool instant(Instant value)
    {
        member();
        reserve(22);
        char* end = Iso8601::write(m_p + 1, value);
        if (!end)
            return false;
        *m_p = '"';
        m_p = end;
        *m_p++ = '"';
        return true;
    }

    // A value held as compact canonical JSON (see JsonExtras), laid out like everything else.
    void canonicalValue(QByteArrayView compact);

    // Ends the document with a newline and hands the rest to the sink.
    void finish();

    // Appends utf8 as a quoted JSON string, escaped the way the writer escapes every string.
    static void appendQuoted(QByteArray& out, QByteArrayView utf8);

private:
    void reserve(qsizetype n)
    {
        if (m_end - m_p < n) [[unlikely]]
            grow(n);
    }
    void grow(qsizetype n);
    void flush();

    void raw(QByteArrayView bytes)
    {
        reserve(bytes.size());
        std::memcpy(m_p, bytes.data(), size_t(bytes.size()));
        m_p += bytes.size();
    }

    void open(char bracket)
    {
        member();
        reserve(1);
        *m_p++ = bracket;
        ++m_depth;
        m_empty = true;
    }

    void close(char bracket)
    {
        --m_depth;
        if (!m_empty)
            newline();
        reserve(1);
        *m_p++ = bracket;
        m_empty = false;
    }

    // Separator and indentation before a value, unless the value follows its key.
    void member()
    {
        if (m_afterKey) {
            m_afterKey = false;
            return;
        }
        if (m_depth == 0)
            return;
        if (!m_empty) {
            reserve(1);
            *m_p++ = ',';
        }
        newline();
        m_empty = false;
    }

    void newline()
    {
        reserve(1 + m_depth * 2);
        *m_p++ = '\n';
        std::memset(m_p, ' ', size_t(m_depth * 2));
        m_p += m_depth * 2;
    }

    // A key written as it stands: already quoted and escaped.
    void quotedKey(QByteArrayView quoted);
    void appendEscaped(const QString& value);

    // Small enough to stay in the cache, large enough for few system calls.
    static constexpr qsizetype chunkSize = 256 * 1024;

    const Sink& m_sink;
    QByteArray m_out;
    char* m_p = nullptr;
    char* m_end = nullptr;
    int m_depth = 0;
    bool m_empty = true;
    bool m_afterKey = false;
};

} // namespace tivren
