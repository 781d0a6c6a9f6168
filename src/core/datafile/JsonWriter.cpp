// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/JsonWriter.h"

#include <QChar>

namespace tivren {
namespace {

constexpr char hexDigits[] = "0123456789abcdef";

// Writes an ASCII character as it stands in a JSON string, escaped where it must be.
inline char* putAscii(char* p, char c)
{
    if (c >= 0x20 && c != '"' && c != '\\') {
        *p++ = c;
        return p;
    }
    *p++ = '\\';
    switch (c) {
    case '"':
        *p++ = '"';
        break;
    case '\\':
        *p++ = '\\';
        break;
    case '\n':
        *p++ = 'n';
        break;
    case '\r':
        *p++ = 'r';
        break;
    case '\t':
        *p++ = 't';
        break;
    default:
        *p++ = 'u';
        *p++ = '0';
        *p++ = '0';
        *p++ = hexDigits[(c >> 4) & 0xF];
        *p++ = hexDigits[c & 0xF];
    }
    return p;
}

} // namespace

JsonWriter::JsonWriter(const Sink& sink)
    : m_sink(sink)
{
    m_out.resize(chunkSize);
    m_p = m_out.data();
    m_end = m_p + m_out.size();
}

void JsonWriter::key(QByteArrayView utf8)
{
    QByteArray quoted;
    appendQuoted(quoted, utf8);
    quotedKey(quoted);
}

void JsonWriter::quotedKey(QByteArrayView quoted)
{
    member();
    raw(quoted);
    raw(": ");
    m_afterKey = true;
}

void JsonWriter::canonicalValue(QByteArrayView compact)
{
    // Compact canonical text has no white space, and ':' follows only a key: the tokens can be
    // taken as they stand and only the layout added.
    const char* p = compact.data();
    const char* const end = p + compact.size();
    while (p < end) {
        const char c = *p;
        if (c == '{' || c == '[') {
            open(c);
            ++p;
            continue;
        }
        if (c == '}' || c == ']') {
            close(c);
            ++p;
            continue;
        }
        if (c == ',') {
            ++p;
            continue;
        }
        const char* start = p;
        if (c == '"') {
            for (++p; p < end && *p != '"'; ++p) {
                if (*p == '\\')
                    ++p;
            }
            ++p;
        } else {
            while (p < end && *p != ',' && *p != '}' && *p != ']')
                ++p;
        }
        const QByteArrayView token(start, p - start);
        if (p < end && *p == ':') {
            quotedKey(token);
            ++p;
        } else {
            member();
            raw(token);
        }
    }
}

void JsonWriter::finish()
{
    reserve(1);
    *m_p++ = '\n';
    flush();
}

void JsonWriter::appendQuoted(QByteArray& out, QByteArrayView utf8)
{
    const qsizetype start = out.size();
    out.resize(start + utf8.size() * 6 + 2);
    char* p = out.data() + start;
    *p++ = '"';
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x80)
            p = putAscii(p, c);
        else
            *p++ = c; // the rest of a UTF-8 sequence needs no escape
    }
    *p++ = '"';
    out.truncate(p - out.constData());
}

// Hands the chunk written so far to the sink; one value larger than a chunk (a very long note)
// gets a buffer of its own size.
void JsonWriter::grow(qsizetype n)
{
    flush();
    if (n > m_out.size()) {
        m_out.resize(n);
        m_p = m_out.data();
        m_end = m_p + m_out.size();
    }
}

void JsonWriter::flush()
{
    const QByteArrayView chunk(m_out.constData(), m_p - m_out.constData());
    if (!chunk.isEmpty() && !m_sink(chunk))
        throw SinkRefused {};
    m_p = m_out.data();
}

// UTF-16 to escaped UTF-8 in one pass; a lone surrogate becomes U+FFFD, as QString::toUtf8 does.
void JsonWriter::appendEscaped(const QString& value)
{
    const auto* s = reinterpret_cast<const char16_t*>(value.utf16());
    const qsizetype n = value.size();
    reserve(n * 6 + 2);
    char* p = m_p;
    *p++ = '"';
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = s[i];
        if (c < 0x80) {
            p = putAscii(p, char(c));
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
                c = QChar::surrogateToUcs4(char16_t(c), s[++i]);
                *p++ = char(0xF0 | (c >> 18));
                *p++ = char(0x80 | ((c >> 12) & 0x3F));
            } else {
                if (QChar::isSurrogate(c))
                    c = 0xFFFD;
                *p++ = char(0xE0 | (c >> 12));
            }
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        }
    }
    *p++ = '"';
    m_p = p;
}

} // namespace tivren
