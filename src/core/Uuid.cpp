#include "core/Uuid.h"

#include <QString>

namespace tivren::UuidText {
namespace {

template <typename Char> std::optional<QUuid> parseChars(const Char* s, qsizetype n)
{
    if (n != 36)
        return std::nullopt;
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<char16_t>(s[i]);
        const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (hyphenPlace ? c != u'-' : !hex)
            return std::nullopt;
    }
    return QUuid::fromString(QAnyStringView(s, n));
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

void appendUpper(QByteArray& out, const QUuid& uuid)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray raw = uuid.toRfc4122();
    char buffer[36];
    char* p = buffer;
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            *p++ = '-';
        const auto byte = static_cast<unsigned char>(raw[i]);
        *p++ = hex[byte >> 4];
        *p++ = hex[byte & 0xF];
    }
    out.append(buffer, 36);
}

QString upper(const QUuid& uuid)
{
    QByteArray bytes;
    appendUpper(bytes, uuid);
    return QString::fromLatin1(bytes);
}

} // namespace tivren::UuidText
