// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/datafile/JsonWriter.h"
#include "core/datafile/SnapshotCodecFailure.h"
#include "core/records/JsonExtras.h"

#include <optional>

namespace tivren::SnapshotCodec::detail {

// Writes one record's object: the known fields, given in ascending key order, with the unknown
// members the record was read with merged in among them by key. Inline: every field of the data
// file's 50,000 entries goes through it.
class ObjectWriter
{
public:
    ObjectWriter(JsonWriter& w, const JsonExtras& extras)
        : m_w(w)
        , m_extras(extras.members())
    {
        w.beginObject();
    }

    // For a value the caller writes itself (an object or a list).
    JsonWriter& key(QLatin1StringView name)
    {
        if (m_next < m_extras.size()) [[unlikely]]
            writeExtras(QByteArrayView(name.data(), name.size()));
        m_w.key(name);
        return m_w;
    }

    void string(QLatin1StringView name, const QString& value) { key(name).string(value); }
    void uuid(QLatin1StringView name, const QUuid& value) { key(name).uuid(value); }
    void boolean(QLatin1StringView name, bool value) { key(name).boolean(value); }
    void integer(QLatin1StringView name, int value) { key(name).integer(value); }

    void number(QLatin1StringView name, double value)
    {
        if (!key(name).number(value))
            fail(name, QStringLiteral("cannot write a number that is not finite"));
    }

    void instant(QLatin1StringView name, Instant value)
    {
        if (!key(name).instant(value))
            fail(name, QStringLiteral("date is outside the years 1 to 9999"));
    }

    void end()
    {
        writeExtras(std::nullopt);
        m_w.endObject();
    }

private:
    // The unknown members that sort before `limit` (all that are left without one).
    void writeExtras(std::optional<QByteArrayView> limit)
    {
        for (; m_next < m_extras.size(); ++m_next) {
            const JsonExtras::Member& member = m_extras[m_next];
            if (limit && !(QByteArrayView(member.key) < *limit))
                return;
            m_w.key(QByteArrayView(member.key));
            m_w.canonicalValue(member.value);
        }
    }

    JsonWriter& m_w;
    const QList<JsonExtras::Member>& m_extras;
    qsizetype m_next = 0;
};

} // namespace tivren::SnapshotCodec::detail
