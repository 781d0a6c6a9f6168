// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/datafile/JsonReader.h"
#include "core/datafile/SnapshotCodecFailure.h"
#include "core/records/JsonExtras.h"
#include "core/time/Instant.h"

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

#include <optional>

namespace tivren::SnapshotCodec::detail {

// Reads the values of one data file, turning a wrong type or a malformed value into a Failure at
// the key it was read for.
class FieldReader
{
public:
    explicit FieldReader(JsonReader& reader)
        : m_r(reader)
    {
    }

    // Fails unless the next value is of the expected type (`name` says which, for the message).
    void expectType(QLatin1StringView key, JsonReader::Type expected, QStringView name);

    // Consumes a null and says so.
    [[nodiscard]] bool takeNull()
    {
        if (m_r.peek() != JsonReader::Type::null)
            return false;
        m_r.readNull();
        return true;
    }

    // Equal texts share one copy: notes and names repeat across thousands of entries.
    [[nodiscard]] QString string(QLatin1StringView key)
    {
        expectType(key, JsonReader::Type::string, u"a string");
        return *m_strings.insert(m_r.readString());
    }

    [[nodiscard]] double number(QLatin1StringView key)
    {
        expectType(key, JsonReader::Type::number, u"a number");
        return m_r.readNumber();
    }

    [[nodiscard]] bool boolean(QLatin1StringView key)
    {
        expectType(key, JsonReader::Type::boolean, u"a boolean");
        return m_r.readBool();
    }

    [[nodiscard]] int integer(QLatin1StringView key);
    [[nodiscard]] QUuid uuid(QLatin1StringView key);
    [[nodiscard]] Instant instant(QLatin1StringView key);

    template <typename Enum>
    [[nodiscard]] Enum enumeration(QLatin1StringView key, std::optional<Enum> (*fromRaw)(QStringView))
    {
        const QString text = string(key);
        const auto parsed = fromRaw(text);
        if (!parsed)
            failUnknownValue(key, text);
        return *parsed;
    }

    // The objects of the array under key, each read by readRecord(*this); null reads as none.
    template <typename Record, typename ReadRecord>
    [[nodiscard]] QList<Record> list(QLatin1StringView key, ReadRecord readRecord)
    {
        QList<Record> records;
        if (takeNull())
            return records;
        expectType(key, JsonReader::Type::array, u"an array");
        m_r.beginArray();
        for (qsizetype i = 0; m_r.nextElement(); ++i) {
            try {
                expectType(QLatin1StringView(), JsonReader::Type::object, u"an object");
                records.append(readRecord(*this));
            } catch (Failure& failure) {
                prependIndex(failure, key, i);
                throw;
            }
        }
        return records;
    }

    // Reads an object's members: handle(key) reads the value of a key it knows and returns true.
    // The others are kept in extras, to be written back as they came.
    template <typename Handle> void members(JsonExtras& extras, Handle handle)
    {
        expectType(QLatin1StringView(), JsonReader::Type::object, u"an object");
        m_r.beginObject();
        QByteArrayView key;
        while (m_r.nextKey(key)) {
            if (!handle(key))
                extras.read(key.toByteArray(), m_r);
        }
    }

private:
    [[noreturn]] static void failUnknownValue(QLatin1StringView key, const QString& text);
    static void prependIndex(Failure& failure, QLatin1StringView key, qsizetype index);
    JsonReader& m_r;
    QSet<QString> m_strings;
};

} // namespace tivren::SnapshotCodec::detail
