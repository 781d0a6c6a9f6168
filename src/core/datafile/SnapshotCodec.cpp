#include "core/datafile/SnapshotCodec.h"

#include "core/datafile/JsonReader.h"
#include "core/datafile/SnapshotCodecFailure.h"
#include "core/datafile/Uuid.h"

#include <QDateTime>

#include <array>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace tivren {

QString DecodeError::description() const
{
    if (path.isEmpty())
        return reason;
    return path + u": "_s + reason;
}

QString EncodeError::description() const
{
    if (path.isEmpty())
        return reason;
    return path + u": "_s + reason;
}

namespace SnapshotCodec {
namespace {

using detail::at;
using detail::fail;
using detail::Failure;
using detail::prependKey;

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

// Reads the values of one document, turning wrong types into failures at the current key.
class Decoder
{
public:
    explicit Decoder(JsonReader& reader)
        : r(reader)
    {
    }

    JsonReader& r;

    void expectType(QLatin1StringView key, Type expected, QStringView name)
    {
        const Type actual = r.peek();
        if (actual == expected)
            return;
        if (actual == Type::invalid)
            r.skipValue(); // throws the syntax error
        fail(key, u"expected "_s + name + u", found "_s + typeName(actual));
    }

    // Consumes a null and says so: optional keys then keep their default.
    bool takeNull()
    {
        if (r.peek() != Type::null)
            return false;
        r.readNull();
        return true;
    }

    void requireNotNull(QLatin1StringView key)
    {
        if (r.peek() == Type::null)
            fail(key, u"required value is null"_s);
    }

    QString string(QLatin1StringView key)
    {
        expectType(key, Type::string, u"a string");
        return r.readString();
    }

    double number(QLatin1StringView key)
    {
        expectType(key, Type::number, u"a number");
        return r.readNumber();
    }

    int integer(QLatin1StringView key)
    {
        const double value = number(key);
        if (value != std::floor(value) || value < std::numeric_limits<int>::min()
            || value > std::numeric_limits<int>::max())
            fail(key, u"expected a whole number, found "_s + QString::number(value, 'g', 17));
        return static_cast<int>(value);
    }

    bool boolean(QLatin1StringView key)
    {
        expectType(key, Type::boolean, u"a boolean");
        return r.readBool();
    }

    QUuid uuid(QLatin1StringView key)
    {
        expectType(key, Type::string, u"a string");
        const QByteArrayView text = r.readStringBytes();
        const auto parsed = UuidText::parse(text);
        if (!parsed)
            fail(key, u"expected a UUID, found \""_s + QString::fromUtf8(text) + u'"');
        return *parsed;
    }

    Instant instant(QLatin1StringView key)
    {
        expectType(key, Type::string, u"a string");
        const QByteArrayView text = r.readStringBytes();
        const auto parsed = Iso8601::parse(text);
        if (!parsed) {
            fail(key,
                u"expected an ISO 8601 date-time with whole seconds and a time zone, found \""_s
                    + QString::fromUtf8(text) + u'"');
        }
        return *parsed;
    }

    template <typename Enum> Enum enumeration(QLatin1StringView key, std::optional<Enum> (*fromRaw)(QStringView))
    {
        const QString text = string(key);
        const auto parsed = fromRaw(text);
        if (!parsed)
            fail(key, u"unknown value \""_s + text + u'"');
        return *parsed;
    }

    template <typename Record, typename ReadRecord> QList<Record> list(QLatin1StringView key, ReadRecord readRecord)
    {
        QList<Record> records;
        if (takeNull())
            return records;
        expectType(key, Type::array, u"an array");
        r.beginArray();
        for (qsizetype i = 0; r.nextElement(); ++i) {
            try {
                expectType(QLatin1StringView(), Type::object, u"an object");
                records.append(readRecord(*this));
            } catch (Failure& failure) {
                const QString index = u'[' + QString::number(i) + u']';
                failure.path = failure.path.isEmpty() ? index : index + u'.' + failure.path;
                prependKey(failure, key);
                throw;
            }
        }
        return records;
    }

    // Reads an object's members: handle(key) reads the value of a key it knows and returns true.
    // The others are kept in extras, to be written back as they came.
    template <typename Handle> void members(JsonExtras& extras, Handle handle)
    {
        expectType(QLatin1StringView(), Type::object, u"an object");
        r.beginObject();
        QByteArrayView key;
        while (r.nextKey(key)) {
            if (!handle(key))
                extras.read(key.toByteArray(), r);
        }
    }
};

// A record whose every key is required (entries, links, the running timer): one reader function
// per key, and the first key missing from the object is reported.
template <typename Record> struct RequiredField
{
    QLatin1StringView name;
    void (*read)(Decoder& d, Record& record, QLatin1StringView name);
};

template <typename Record, size_t N> Record readRequired(Decoder& d, const std::array<RequiredField<Record>, N>& fields)
{
    static_assert(N <= 32);
    Record record;
    quint32 seen = 0;
    d.members(record.extras, [&](QByteArrayView key) {
        for (size_t i = 0; i < N; ++i) {
            const QLatin1StringView name = fields[i].name;
            if (key == QByteArrayView(name.data(), name.size())) {
                d.requireNotNull(name);
                fields[i].read(d, record, name);
                seen |= 1u << i;
                return true;
            }
        }
        return false;
    });
    for (size_t i = 0; i < N; ++i) {
        if (!(seen & (1u << i)))
            fail(fields[i].name, u"required key is missing"_s);
    }
    return record;
}

Project readProject(Decoder& d)
{
    Project p;
    bool hasID = false, hasCreatedAt = false, hasName = false;
    d.members(p.extras, [&](QByteArrayView key) {
        if (key == "name") {
            d.requireNotNull("name"_L1);
            p.name = d.string("name"_L1);
            hasName = true;
        } else if (key == "id") {
            hasID = !d.takeNull();
            if (hasID)
                p.id = d.uuid("id"_L1);
        } else if (key == "hourlyRate") {
            p.hourlyRate.reset();
            if (!d.takeNull())
                p.hourlyRate = d.number("hourlyRate"_L1);
        } else if (key == "billingIncrementMinutes") {
            p.billingIncrementMinutes = 15;
            if (!d.takeNull())
                p.billingIncrementMinutes = std::max(d.integer("billingIncrementMinutes"_L1), 1);
        } else if (key == "billingRoundingStrategy") {
            p.billingRoundingStrategy = BillingRoundingStrategy::roundUpPerEntry;
            if (!d.takeNull())
                p.billingRoundingStrategy =
                    d.enumeration("billingRoundingStrategy"_L1, &billingRoundingStrategyFromRawValue);
        } else if (key == "colorName") {
            p.colorName = u"blue"_s;
            if (!d.takeNull())
                p.colorName = d.string("colorName"_L1);
        } else if (key == "isArchived") {
            p.isArchived = false;
            if (!d.takeNull())
                p.isArchived = d.boolean("isArchived"_L1);
        } else if (key == "createdAt") {
            hasCreatedAt = !d.takeNull();
            if (hasCreatedAt)
                p.createdAt = d.instant("createdAt"_L1);
        } else {
            return false;
        }
        return true;
    });
    if (!hasName)
        fail("name"_L1, u"required key is missing"_s);
    if (!hasID)
        p.id = QUuid::createUuid();
    if (!hasCreatedAt)
        p.createdAt = QDateTime::currentMSecsSinceEpoch() / 1000.0;
    return p;
}

TimeEntry readEntry(Decoder& d)
{
    static constexpr std::array<RequiredField<TimeEntry>, 5> fields { {
        { "id"_L1,
            [](Decoder& d, TimeEntry& e, QLatin1StringView n) {
                e.id = d.uuid(n);
            } },
        { "projectID"_L1,
            [](Decoder& d, TimeEntry& e, QLatin1StringView n) {
                e.projectID = d.uuid(n);
            } },
        { "startDate"_L1,
            [](Decoder& d, TimeEntry& e, QLatin1StringView n) {
                e.startDate = d.instant(n);
            } },
        { "endDate"_L1,
            [](Decoder& d, TimeEntry& e, QLatin1StringView n) {
                e.endDate = d.instant(n);
            } },
        { "notes"_L1,
            [](Decoder& d, TimeEntry& e, QLatin1StringView n) {
                e.notes = d.string(n);
            } },
    } };
    return readRequired(d, fields);
}

template <typename Link> Link readLink(Decoder& d)
{
    static constexpr std::array<RequiredField<Link>, 5> fields { {
        { "id"_L1,
            [](Decoder& d, Link& l, QLatin1StringView n) {
                l.id = d.uuid(n);
            } },
        { "entryID"_L1,
            [](Decoder& d, Link& l, QLatin1StringView n) {
                l.entryID = d.uuid(n);
            } },
        { "calendarID"_L1,
            [](Decoder& d, Link& l, QLatin1StringView n) {
                l.calendarID = d.string(n);
            } },
        { "eventID"_L1,
            [](Decoder& d, Link& l, QLatin1StringView n) {
                l.eventID = d.string(n);
            } },
        { "lastSyncedAt"_L1,
            [](Decoder& d, Link& l, QLatin1StringView n) {
                l.lastSyncedAt = d.instant(n);
            } },
    } };
    return readRequired(d, fields);
}

ActiveTimerSession readSession(Decoder& d)
{
    static constexpr std::array<RequiredField<ActiveTimerSession>, 2> fields { {
        { "projectID"_L1,
            [](Decoder& d, ActiveTimerSession& s, QLatin1StringView n) {
                s.projectID = d.uuid(n);
            } },
        { "startDate"_L1,
            [](Decoder& d, ActiveTimerSession& s, QLatin1StringView n) {
                s.startDate = d.instant(n);
            } },
    } };
    return readRequired(d, fields);
}

template <typename Settings> Settings readCalendarSettings(Decoder& d)
{
    Settings settings;
    d.members(settings.extras, [&](QByteArrayView key) {
        std::optional<QString>* field = nullptr;
        QLatin1StringView name;
        if (key == "selectedCalendarID") {
            field = &settings.selectedCalendarID;
            name = "selectedCalendarID"_L1;
        } else if (key == "selectedCalendarName") {
            field = &settings.selectedCalendarName;
            name = "selectedCalendarName"_L1;
        } else {
            return false;
        }
        field->reset();
        if (!d.takeNull())
            *field = d.string(name);
        return true;
    });
    return settings;
}

AppSettings readSettings(Decoder& d)
{
    const AppSettings defaults;
    AppSettings s = defaults;
    // Every key is optional: null or missing keeps the default.
    auto optional = [&d](QLatin1StringView name, auto& field, const auto& fallback, auto read) {
        field = fallback;
        if (!d.takeNull())
            field = read(name);
    };
    auto asString = [&d](QLatin1StringView name) {
        return d.string(name);
    };
    auto asBool = [&d](QLatin1StringView name) {
        return d.boolean(name);
    };
    auto asInt = [&d](QLatin1StringView name) {
        return d.integer(name);
    };
    auto asLanguage = [&d](QLatin1StringView name) {
        return d.enumeration(name, &appLanguagePreferenceFromRawValue);
    };
    struct IntField
    {
        QLatin1StringView name;
        int AppSettings::*field;
    };
    struct BoolField
    {
        QLatin1StringView name;
        bool AppSettings::*field;
    };
    static constexpr IntField intFields[] = {
        { "pomodoroWorkMinutes"_L1, &AppSettings::pomodoroWorkMinutes },
        { "pomodoroShortBreakMinutes"_L1, &AppSettings::pomodoroShortBreakMinutes },
        { "pomodoroLongBreakMinutes"_L1, &AppSettings::pomodoroLongBreakMinutes },
        { "pomodoroLongBreakInterval"_L1, &AppSettings::pomodoroLongBreakInterval },
        { "workReminderIntervalMinutes"_L1, &AppSettings::workReminderIntervalMinutes },
    };
    static constexpr BoolField boolFields[] = {
        { "pomodoroEnabled"_L1, &AppSettings::pomodoroEnabled },
        { "pomodoroBreaksAreBillable"_L1, &AppSettings::pomodoroBreaksAreBillable },
        { "pomodoroSoundEnabled"_L1, &AppSettings::pomodoroSoundEnabled },
        { "pomodoroOverlayEnabled"_L1, &AppSettings::pomodoroOverlayEnabled },
        { "workReminderEnabled"_L1, &AppSettings::workReminderEnabled },
    };
    d.members(s.extras, [&](QByteArrayView key) {
        auto is = [&key](QLatin1StringView name) {
            return key == QByteArrayView(name.data(), name.size());
        };
        for (const IntField& f : intFields) {
            if (is(f.name)) {
                optional(f.name, s.*f.field, defaults.*f.field, asInt);
                return true;
            }
        }
        for (const BoolField& f : boolFields) {
            if (is(f.name)) {
                optional(f.name, s.*f.field, defaults.*f.field, asBool);
                return true;
            }
        }
        if (key == "currencyCode") {
            optional("currencyCode"_L1, s.currencyCode, defaults.currencyCode, asString);
        } else if (key == "languagePreference") {
            optional("languagePreference"_L1, s.languagePreference, defaults.languagePreference, asLanguage);
        } else if (key == "googleCalendar") {
            at("googleCalendar"_L1, [&] {
                s.googleCalendar =
                    d.takeNull() ? GoogleCalendarSettings {} : readCalendarSettings<GoogleCalendarSettings>(d);
            });
        } else if (key == "appleCalendar") {
            at("appleCalendar"_L1, [&] {
                s.appleCalendar =
                    d.takeNull() ? AppleCalendarSettings {} : readCalendarSettings<AppleCalendarSettings>(d);
            });
        } else {
            return false;
        }
        return true;
    });
    return s;
}

AppSnapshot readSnapshot(JsonReader& r)
{
    Decoder d(r);
    const Type top = r.peek();
    if (top == Type::invalid)
        r.skipValue(); // throws the syntax error
    if (top != Type::object)
        fail(QLatin1StringView(), u"expected a JSON object at the top level"_s);
    AppSnapshot snapshot;
    d.members(snapshot.extras, [&](QByteArrayView key) {
        if (key == "projects") {
            snapshot.projects = d.list<Project>("projects"_L1, readProject);
        } else if (key == "entries") {
            snapshot.entries = d.list<TimeEntry>("entries"_L1, readEntry);
        } else if (key == "googleCalendarEventLinks") {
            snapshot.googleCalendarEventLinks =
                d.list<GoogleCalendarEventLink>("googleCalendarEventLinks"_L1, readLink<GoogleCalendarEventLink>);
        } else if (key == "appleCalendarEventLinks") {
            snapshot.appleCalendarEventLinks =
                d.list<AppleCalendarEventLink>("appleCalendarEventLinks"_L1, readLink<AppleCalendarEventLink>);
        } else if (key == "activeSession") {
            at("activeSession"_L1, [&] {
                snapshot.activeSession.reset();
                if (!d.takeNull())
                    snapshot.activeSession = readSession(d);
            });
        } else if (key == "settings") {
            at("settings"_L1, [&] {
                snapshot.settings = d.takeNull() ? AppSettings {} : readSettings(d);
            });
        } else {
            return false;
        }
        return true;
    });
    r.expectEnd();
    return snapshot;
}

} // namespace

Expected<AppSnapshot, DecodeError> decode(const QByteArray& json)
{
    JsonReader reader(json);
    try {
        return readSnapshot(reader);
    } catch (const Failure& failure) {
        return Unexpected(DecodeError { failure.path, failure.reason });
    } catch (const JsonReader::SyntaxError& error) {
        return Unexpected(DecodeError {
            QString(), u"not valid JSON: %1 (%2)"_s.arg(error.reason, reader.describePosition(error.offset)) });
    }
}

} // namespace SnapshotCodec
} // namespace tivren
