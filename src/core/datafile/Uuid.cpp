// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/Uuid.h"

#include <QString>

#include <array>
#include <cstring>

namespace tivren::UuidText {
namespace {

template <typename Char> std::optional<QUuid> parseChars(const Char* s, qsizetype n)
{
    if (n != 36)
        return std::nullopt;
    quint8 bytes[16];
    int count = 0;
    for (qsizetype i = 0; i < n;) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (s[i] != Char('-'))
                return std::nullopt;
            ++i;
            continue;
        }
        int pair = 0;
        for (int k = 0; k < 2; ++k, ++i) {
            const auto c = static_cast<char16_t>(s[i]);
            int digit;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                digit = c - u'A' + 10;
            else
                return std::nullopt;
            pair = pair * 16 + digit;
        }
        bytes[count++] = quint8(pair);
    }
    return QUuid::fromRfc4122(QByteArrayView(reinterpret_cast<const char*>(bytes), 16));
}

} // namespace

std::optional<QUuid> parse(QByteArrayView text)
{
    return parseChars(text.data(), text.size());
}

std::optional<QUuid> parse(QStringView text)
{
    return parseChars(text.utf16(), text.size());
}

char* writeUpper(char* out, const QUuid& uuid)
{
    // Files hold tens of thousands of identifiers: two hex digits per table lookup, no allocation.
    static constexpr auto pairs = [] {
        std::array<char, 512> table {};
        constexpr char hex[] = "0123456789ABCDEF";
        for (int i = 0; i < 256; ++i) {
            table[size_t(2 * i)] = hex[i >> 4];
            table[size_t(2 * i + 1)] = hex[i & 0xF];
        }
        return table;
    }();
    const quint8 bytes[16] = { quint8(uuid.data1 >> 24),
        quint8(uuid.data1 >> 16),
        quint8(uuid.data1 >> 8),
        quint8(uuid.data1),
        quint8(uuid.data2 >> 8),
        quint8(uuid.data2),
        quint8(uuid.data3 >> 8),
        quint8(uuid.data3),
        uuid.data4[0],
        uuid.data4[1],
        uuid.data4[2],
        uuid.data4[3],
        uuid.data4[4],
        uuid.data4[5],
        uuid.data4[6],
        uuid.data4[7] };
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            *out++ = '-';
        std::memcpy(out, &pairs[size_t(2 * bytes[i])], 2);
        out += 2;
    }
    return out;
}

void appendUpper(QByteArray& out, const QUuid& uuid)
{
    char buffer[36];
    writeUpper(buffer, uuid);
    out.append(buffer, 36);
}

QString upper(const QUuid& uuid)
{
    QByteArray bytes;
    appendUpper(bytes, uuid);
    return QString::fromLatin1(bytes);
}

} // namespace tivren::UuidText
