// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/records/JsonExtras.h"

#include "core/datafile/JsonReader.h"
#include "core/datafile/JsonWriter.h"

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

void appendCanonical(JsonReader& r, QByteArray& out, int depth)
{
    if (depth > JsonReader::maxDepth)
        throw JsonReader::SyntaxError { r.offset(), u"nested too deeply"_s };
    switch (r.peek()) {
    case JsonReader::Type::null:
        r.readNull();
        out.append("null");
        break;
    case JsonReader::Type::boolean:
        out.append(r.readBool() ? "true" : "false");
        break;
    case JsonReader::Type::number:
        out.append(r.readNumberText());
        break;
    case JsonReader::Type::string:
        JsonWriter::appendQuoted(out, r.readStringBytes());
        break;
    case JsonReader::Type::array: {
        r.beginArray();
        out.append('[');
        for (bool first = true; r.nextElement(); first = false) {
            if (!first)
                out.append(',');
            appendCanonical(r, out, depth + 1);
        }
        out.append(']');
        break;
    }
    case JsonReader::Type::object: {
        std::map<QByteArray, QByteArray> members; // sorted; a repeated key replaces the earlier one
        r.beginObject();
        QByteArrayView key;
        while (r.nextKey(key)) {
            QByteArray name = key.toByteArray(); // before the value reuses the reader's buffer
            QByteArray value;
            appendCanonical(r, value, depth + 1);
            members.insert_or_assign(std::move(name), std::move(value));
        }
        out.append('{');
        for (auto it = members.begin(); it != members.end(); ++it) {
            if (it != members.begin())
                out.append(',');
            JsonWriter::appendQuoted(out, it->first);
            out.append(':');
            out.append(it->second);
        }
        out.append('}');
        break;
    }
    case JsonReader::Type::invalid:
        r.skipValue(); // throws the syntax error
        break;
    }
}

} // namespace

void JsonExtras::read(QByteArray key, JsonReader& reader)
{
    Member member { std::move(key), {} };
    appendCanonical(reader, member.value, 0);
    const auto at =
        std::lower_bound(m_members.begin(), m_members.end(), member.key, [](const Member& m, const QByteArray& k) {
            return m.key < k;
        });
    if (at != m_members.end() && at->key == member.key)
        *at = std::move(member);
    else
        m_members.insert(at, std::move(member));
}

size_t qHash(const JsonExtras& extras, size_t seed) noexcept
{
    for (const JsonExtras::Member& member : extras.members())
        seed = qHashMulti(seed, member.key, member.value);
    return seed;
}

} // namespace tivren
