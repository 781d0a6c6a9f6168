// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/datafile/FieldReader.h"
#include "core/datafile/ObjectWriter.h"

#include <QDateTime>
#include <QList>
#include <QUuid>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <type_traits>

// The data file's records described once, as tables of fields, for reading and writing alike.
// Shared by SnapshotCodec's halves; not for other code.
namespace tivren::SnapshotCodec::detail {

// What a record makes of a key that is missing or null.
enum class Rule
{
    required, // a failure
    defaulted, // the member keeps (null: gets back) the value of a new record
    generated, // the kind makes a fresh value: a new UUID, the current time
};

// One member of a record under its key. read() gets a value that is not null; write() writes the
// key and value, or nothing for an absent optional; fallback() is the value for a missing or null key.
template <typename Record> struct Field
{
    QLatin1StringView key;
    Rule rule;
    void (*read)(FieldReader& reader, Record& record, QLatin1StringView key);
    void (*write)(ObjectWriter& writer, const Record& record, QLatin1StringView key);
    void (*fallback)(Record& record);
};

// Each record's table, in the order its keys are checked for being missing; specialised in
// SnapshotCodec.cpp.
template <typename Record> struct Fields;

template <typename Record> Record readRecord(FieldReader& reader);
template <typename Record> void writeRecord(JsonWriter& writer, const Record& record);

// The kinds of value a field holds: how to read one, how to write one.
namespace kind {

struct Text
{
    static QString read(FieldReader& r, QLatin1StringView key) { return r.string(key); }
    static void write(ObjectWriter& w, QLatin1StringView key, const QString& value) { w.string(key, value); }
};

struct Number
{
    static double read(FieldReader& r, QLatin1StringView key) { return r.number(key); }
    static void write(ObjectWriter& w, QLatin1StringView key, double value) { w.number(key, value); }
};

// A whole number, raised to `minimum` when it is smaller.
template <int minimum = std::numeric_limits<int>::min()> struct Integer
{
    static int read(FieldReader& r, QLatin1StringView key) { return std::max(r.integer(key), minimum); }
    static void write(ObjectWriter& w, QLatin1StringView key, int value) { w.integer(key, value); }
};

struct Boolean
{
    static bool read(FieldReader& r, QLatin1StringView key) { return r.boolean(key); }
    static void write(ObjectWriter& w, QLatin1StringView key, bool value) { w.boolean(key, value); }
};

struct Uuid
{
    static QUuid read(FieldReader& r, QLatin1StringView key) { return r.uuid(key); }
    static void write(ObjectWriter& w, QLatin1StringView key, const QUuid& value) { w.uuid(key, value); }
    static QUuid generated() { return QUuid::createUuid(); }
};

struct Moment
{
    static Instant read(FieldReader& r, QLatin1StringView key) { return r.instant(key); }
    static void write(ObjectWriter& w, QLatin1StringView key, Instant value) { w.instant(key, value); }
    static Instant generated() { return QDateTime::currentMSecsSinceEpoch() / 1000.0; }
};

// Stored as its raw value ("roundUpPerEntry", "nl").
template <auto fromRaw> struct Enumeration
{
    using Value = typename std::invoke_result_t<decltype(fromRaw), QStringView>::value_type;
    static Value read(FieldReader& r, QLatin1StringView key) { return r.enumeration(key, fromRaw); }
    static void write(ObjectWriter& w, QLatin1StringView key, Value value) { w.string(key, rawValue(value)); }
};

// A std::optional member: written only when it holds a value.
template <typename Kind> struct Optional
{
    static auto read(FieldReader& r, QLatin1StringView key) { return std::optional(Kind::read(r, key)); }
    template <typename Value>
    static void write(ObjectWriter& w, QLatin1StringView key, const std::optional<Value>& value)
    {
        if (value)
            Kind::write(w, key, *value);
    }
};

// A nested record, read and written with its own table.
template <typename Record> struct Object
{
    static Record read(FieldReader& r, QLatin1StringView key)
    {
        Record record;
        at(key, [&] {
            record = readRecord<Record>(r);
        });
        return record;
    }
    static void write(ObjectWriter& w, QLatin1StringView key, const Record& value)
    {
        at(key, [&] {
            writeRecord(w.key(key), value);
        });
    }
};

template <typename Record> struct List
{
    static QList<Record> read(FieldReader& r, QLatin1StringView key)
    {
        return r.list<Record>(key, &readRecord<Record>);
    }
    static void write(ObjectWriter& w, QLatin1StringView key, const QList<Record>& records)
    {
        at(key, [&] {
            JsonWriter& out = w.key(key);
            out.beginArray();
            for (const Record& record : records)
                writeRecord(out, record);
            out.endArray();
        });
    }
};

} // namespace kind

template <typename Member> struct MemberTraits;
template <typename Value, typename Record> struct MemberTraits<Value Record::*>
{
    using RecordType = Record;
};

// The table row for `member`, a value of `Kind`, under `key`.
template <auto member, typename Kind>
constexpr Field<typename MemberTraits<decltype(member)>::RecordType> field(QLatin1StringView key, Rule rule)
{
    using Record = typename MemberTraits<decltype(member)>::RecordType;
    Field<Record> f { key,
        rule,
        [](FieldReader& r, Record& record, QLatin1StringView name) {
            record.*member = Kind::read(r, name);
        },
        [](ObjectWriter& w, const Record& record, QLatin1StringView name) {
            Kind::write(w, name, record.*member);
        },
        [](Record& record) {
            record.*member = Record {}.*member;
        } };
    if constexpr (requires { Kind::generated(); }) {
        if (rule == Rule::generated) {
            f.fallback = [](Record& record) {
                record.*member = Kind::generated();
            };
        }
    }
    return f;
}

// The positions of a table's fields in ascending key order, the order they are written in.
template <typename Record, size_t N>
constexpr std::array<std::uint8_t, N> keyOrder(const std::array<Field<Record>, N>& fields)
{
    auto name = [&](std::uint8_t i) {
        return std::string_view(fields[i].key.data(), size_t(fields[i].key.size()));
    };
    std::array<std::uint8_t, N> order {};
    for (size_t i = 0; i < N; ++i) {
        size_t j = i;
        for (; j > 0 && name(std::uint8_t(i)) < name(order[j - 1]); --j)
            order[j] = order[j - 1];
        order[j] = std::uint8_t(i);
    }
    return order;
}

template <typename Record> Record readRecord(FieldReader& reader)
{
    constexpr const auto& fields = Fields<Record>::table;
    static_assert(fields.size() <= 32);
    Record record;
    std::uint32_t seen = 0;
    reader.members(record.extras, [&](QByteArrayView key) {
        for (size_t i = 0; i < fields.size(); ++i) {
            const Field<Record>& f = fields[i];
            if (key != QByteArrayView(f.key.data(), f.key.size()))
                continue;
            const std::uint32_t bit = 1u << i;
            if (!reader.takeNull()) {
                f.read(reader, record, f.key);
                seen |= bit;
            } else if (f.rule == Rule::required) {
                fail(f.key, QStringLiteral("required value is null"));
            } else {
                seen &= ~bit;
                if (f.rule == Rule::defaulted)
                    f.fallback(record);
            }
            return true;
        }
        return false;
    });
    for (size_t i = 0; i < fields.size(); ++i) {
        if (seen & (1u << i))
            continue;
        if (fields[i].rule == Rule::required)
            fail(fields[i].key, QStringLiteral("required key is missing"));
        if (fields[i].rule == Rule::generated)
            fields[i].fallback(record);
    }
    return record;
}

template <typename Record> void writeRecord(JsonWriter& writer, const Record& record)
{
    constexpr const auto& fields = Fields<Record>::table;
    static constexpr auto order = keyOrder(fields);
    ObjectWriter out(writer, record.extras);
    for (const std::uint8_t i : order)
        fields[i].write(out, record, fields[i].key);
    out.end();
}

} // namespace tivren::SnapshotCodec::detail
