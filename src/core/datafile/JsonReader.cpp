// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/JsonReader.h"

#include <charconv>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The character a one-letter escape stands for; 0 for a letter that is no escape.
char unescaped(char letter)
{
    switch (letter) {
    case '"':
    case '\\':
    case '/':
        return letter;
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    default:
        return 0;
    }
}

void appendUtf8(QByteArray& out, char32_t cp)
{
    if (cp < 0x80) {
        out.append(char(cp));
    } else if (cp < 0x800) {
        out.append(char(0xC0 | (cp >> 6)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.append(char(0xE0 | (cp >> 12)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    } else {
        out.append(char(0xF0 | (cp >> 18)));
        out.append(char(0x80 | ((cp >> 12) & 0x3F)));
        out.append(char(0x80 | ((cp >> 6) & 0x3F)));
        out.append(char(0x80 | (cp & 0x3F)));
    }
}

} // namespace

JsonReader::JsonReader(QByteArrayView text)
    : m_begin(text.data())
    , m_pos(text.data())
    , m_end(text.data() + text.size())
{
    if (text.startsWith("\xEF\xBB\xBF")) // a byte order mark some editors add
        m_pos += 3;
}

void JsonReader::fail(const QString& reason) const
{
    throw SyntaxError { offset(), reason };
}

QString JsonReader::describePosition(qsizetype at) const
{
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < at && i < m_end - m_begin; ++i) {
        if (m_begin[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return u"line %1, column %2"_s.arg(line).arg(at - lineStart + 1);
}

void JsonReader::skipWhitespace()
{
    while (m_pos < m_end && (*m_pos == ' ' || *m_pos == '\n' || *m_pos == '\r' || *m_pos == '\t'))
        ++m_pos;
}

void JsonReader::expect(char c)
{
    skipWhitespace();
    if (m_pos >= m_end || *m_pos != c)
        fail(m_pos >= m_end ? u"unexpected end of the file, expected '%1'"_s.arg(QLatin1Char(c))
                            : u"expected '%1'"_s.arg(QLatin1Char(c)));
    ++m_pos;
}

JsonReader::Type JsonReader::peek()
{
    skipWhitespace();
    if (m_pos >= m_end)
        return Type::invalid;
    switch (*m_pos) {
    case 'n':
        return Type::null;
    case 't':
    case 'f':
        return Type::boolean;
    case '"':
        return Type::string;
    case '[':
        return Type::array;
    case '{':
        return Type::object;
    default:
        return (*m_pos == '-' || isDigit(*m_pos)) ? Type::number : Type::invalid;
    }
}

void JsonReader::readNull()
{
    skipWhitespace();
    if (m_end - m_pos < 4 || QByteArrayView(m_pos, 4) != "null")
        fail(u"expected null"_s);
    m_pos += 4;
}

bool JsonReader::readBool()
{
    skipWhitespace();
    if (m_end - m_pos >= 4 && QByteArrayView(m_pos, 4) == "true") {
        m_pos += 4;
        return true;
    }
    if (m_end - m_pos >= 5 && QByteArrayView(m_pos, 5) == "false") {
        m_pos += 5;
        return false;
    }
    fail(u"expected true or false"_s);
}

double JsonReader::readNumber()
{
    double value = 0;
    m_pos = scanNumber(value);
    return value;
}

QByteArrayView JsonReader::readNumberText()
{
    double value = 0;
    const char* end = scanNumber(value);
    const QByteArrayView text(m_pos, end - m_pos);
    m_pos = end;
    return text;
}

const char* JsonReader::scanNumber(double& value)
{
    skipWhitespace();
    // The JSON grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
    const char* start = m_pos;
    const char* p = m_pos;
    if (p < m_end && *p == '-')
        ++p;
    if (p < m_end && *p == '0') {
        ++p;
    } else if (p < m_end && isDigit(*p)) {
        while (p < m_end && isDigit(*p))
            ++p;
    } else {
        fail(u"invalid number"_s);
    }
    if (p < m_end && *p == '.') {
        ++p;
        if (p >= m_end || !isDigit(*p))
            fail(u"invalid number"_s);
        while (p < m_end && isDigit(*p))
            ++p;
    }
    if (p < m_end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < m_end && (*p == '+' || *p == '-'))
            ++p;
        if (p >= m_end || !isDigit(*p))
            fail(u"invalid number"_s);
        while (p < m_end && isDigit(*p))
            ++p;
    }
    const auto result = std::from_chars(start, p, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        fail(u"number out of range"_s);
    return p;
}

QByteArrayView JsonReader::readStringBytes()
{
    skipWhitespace();
    if (m_pos >= m_end || *m_pos != '"')
        fail(u"expected a string"_s);
    const char* start = ++m_pos;
    bool ascii = true;
    const char* p = start;
    while (p < m_end) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '"') {
            const QByteArrayView bytes(start, p - start);
            if (!ascii && !bytes.isValidUtf8())
                fail(u"a string is not valid UTF-8"_s);
            m_pos = p + 1;
            return bytes;
        }
        if (c == '\\')
            return readStringSlow(start);
        if (c < 0x20) {
            m_pos = p;
            fail(u"control character inside a string"_s);
        }
        ascii = ascii && c < 0x80;
        ++p;
    }
    fail(u"unterminated string"_s);
}

QByteArrayView JsonReader::readStringSlow(const char* start)
{
    m_scratch.clear();
    const char* p = start;
    while (p < m_end) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '"') {
            if (!QByteArrayView(m_scratch).isValidUtf8())
                fail(u"a string is not valid UTF-8"_s);
            m_pos = p + 1;
            return m_scratch;
        }
        if (c < 0x20) {
            m_pos = p;
            fail(u"control character inside a string"_s);
        }
        if (c != '\\') {
            m_scratch.append(char(c));
            ++p;
            continue;
        }
        m_pos = p;
        if (++p >= m_end)
            break;
        const char escape = *p++;
        if (escape == 'u') {
            p = readUnicodeEscape(p);
        } else if (const char replaced = unescaped(escape)) {
            m_scratch.append(replaced);
        } else {
            fail(u"invalid escape in a string"_s);
        }
    }
    fail(u"unterminated string"_s);
}

const char* JsonReader::readUnicodeEscape(const char* p)
{
    auto hex4 = [&]() -> char32_t {
        if (m_end - p < 4)
            fail(u"invalid \\u escape"_s);
        char32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexValue(p[i]);
            if (digit < 0)
                fail(u"invalid \\u escape"_s);
            value = value * 16 + char32_t(digit);
        }
        p += 4;
        return value;
    };
    char32_t cp = hex4();
    if (cp >= 0xD800 && cp <= 0xDBFF) {
        if (m_end - p < 2 || p[0] != '\\' || p[1] != 'u')
            fail(u"unpaired surrogate in a \\u escape"_s);
        p += 2;
        const char32_t low = hex4();
        if (low < 0xDC00 || low > 0xDFFF)
            fail(u"unpaired surrogate in a \\u escape"_s);
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
        fail(u"unpaired surrogate in a \\u escape"_s);
    }
    appendUtf8(m_scratch, cp);
    return p;
}

QString JsonReader::readString()
{
    const QByteArrayView bytes = readStringBytes();
    return QString::fromUtf8(bytes);
}

void JsonReader::beginObject()
{
    expect('{');
    m_first = true;
}

bool JsonReader::nextKey(QByteArrayView& key)
{
    skipWhitespace();
    if (m_pos < m_end && *m_pos == '}') {
        ++m_pos;
        m_first = false;
        return false;
    }
    if (!m_first)
        expect(',');
    m_first = false;
    skipWhitespace();
    if (m_pos >= m_end || *m_pos != '"')
        fail(m_pos >= m_end ? u"unexpected end of the file inside an object"_s : u"expected a key in quotes"_s);
    key = readStringBytes();
    expect(':');
    return true;
}

void JsonReader::beginArray()
{
    expect('[');
    m_first = true;
}

bool JsonReader::nextElement()
{
    skipWhitespace();
    if (m_pos < m_end && *m_pos == ']') {
        ++m_pos;
        m_first = false;
        return false;
    }
    if (m_pos >= m_end)
        fail(u"unexpected end of the file inside an array"_s);
    if (!m_first)
        expect(',');
    m_first = false;
    return true;
}

void JsonReader::skipValue()
{
    skipValue(0);
}

void JsonReader::skipValue(int depth)
{
    if (depth > maxDepth)
        fail(u"nested too deeply"_s);
    switch (peek()) {
    case Type::null:
        readNull();
        break;
    case Type::boolean:
        (void)readBool();
        break;
    case Type::number:
        (void)readNumber();
        break;
    case Type::string:
        (void)readStringBytes();
        break;
    case Type::array:
        beginArray();
        while (nextElement())
            skipValue(depth + 1);
        break;
    case Type::object: {
        beginObject();
        QByteArrayView key;
        while (nextKey(key))
            skipValue(depth + 1);
        break;
    }
    case Type::invalid:
        fail(m_pos >= m_end ? u"unexpected end of the file"_s : u"unexpected character"_s);
    }
}

void JsonReader::expectEnd()
{
    skipWhitespace();
    if (m_pos != m_end)
        fail(u"unexpected text after the end of the document"_s);
}

} // namespace tivren
