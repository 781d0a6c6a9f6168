// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/FieldReader.h"

#include "core/datafile/Uuid.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace tivren::SnapshotCodec::detail {
namespace {

using Type = JsonReader::Type;

QString typeName(Type type)
{
    switch (type) {
    case Type::null:
        return u"null"_s;
    case Type::boolean:
        return u"a boolean"_s;
    case Type::number:
        return u"a number"_s;
    case Type::string:
        return u"a string"_s;
    case Type::array:
        return u"an array"_s;
    case Type::object:
        return u"an object"_s;
    case Type::invalid:
        break;
    }
    return u"nothing"_s;
}

} // namespace

void FieldReader::expectType(QLatin1StringView key, Type expected, QStringView name)
{
    const Type actual = m_r.peek();
    if (actual == expected)
        return;
    if (actual == Type::invalid)
        m_r.skipValue(); // throws the syntax error
    fail(key, u"expected "_s + name + u", found "_s + typeName(actual));
}

int FieldReader::integer(QLatin1StringView key)
{
    const double value = number(key);
    if (value != std::floor(value) || value < std::numeric_limits<int>::min()
        || value > std::numeric_limits<int>::max())
        fail(key, u"expected a whole number, found "_s + QString::number(value, 'g', 17));
    return static_cast<int>(value);
}

QUuid FieldReader::uuid(QLatin1StringView key)
{
    expectType(key, Type::string, u"a string");
    const QByteArrayView text = m_r.readStringBytes();
    const auto parsed = UuidText::parse(text);
    if (!parsed)
        fail(key, u"expected a UUID, found \""_s + QString::fromUtf8(text) + u'"');
    return *parsed;
}

Instant FieldReader::instant(QLatin1StringView key)
{
    expectType(key, Type::string, u"a string");
    const QByteArrayView text = m_r.readStringBytes();
    const auto parsed = Iso8601::parse(text);
    if (!parsed) {
        fail(key,
            u"expected an ISO 8601 date-time with whole seconds and a time zone, found \""_s + QString::fromUtf8(text)
                + u'"');
    }
    return *parsed;
}

void FieldReader::failUnknownValue(QLatin1StringView key, const QString& text)
{
    fail(key, u"unknown value \""_s + text + u'"');
}

void FieldReader::prependIndex(Failure& failure, QLatin1StringView key, qsizetype index)
{
    const QString indexText = u'[' + QString::number(index) + u']';
    failure.path = failure.path.isEmpty() ? indexText : indexText + u'.' + failure.path;
    prependKey(failure, key);
}

} // namespace tivren::SnapshotCodec::detail
