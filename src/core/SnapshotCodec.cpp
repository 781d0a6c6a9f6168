#include "core/SnapshotCodec.h"

#include "core/JsonReader.h"
#include "core/Uuid.h"

#include <QDateTime>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
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

// Thrown inside this file only, caught by decode(); each level adds its key to the path on the
// way out, so the happy path builds no path strings at all.
struct Failure
{
    QString path;
    QString reason;
};

// Thrown when the sink refuses a chunk.
struct OutputFailure
{
};

void prependKey(Failure& failure, QLatin1StringView key)
{
    if (failure.path.isEmpty())
        failure.path = key;
    else if (failure.path.startsWith(u'['))
        failure.path.prepend(key);
    else
        failure.path = key + u'.' + failure.path;
}

[[noreturn]] void fail(QLatin1StringView key, QString reason)
{
    throw Failure { QString(key), std::move(reason) };
}

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

    // Runs read() on the value under key, adding the key to the path of a failure.
    template <typename Read> void at(QLatin1StringView key, Read read)
    {
        try {
            read();
        } catch (Failure& failure) {
            prependKey(failure, key);
            throw;
        }
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
    template <typename Handle> void members(Handle handle)
    {
        expectType(QLatin1StringView(), Type::object, u"an object");
        r.beginObject();
        QByteArrayView key;
        while (r.nextKey(key)) {
            if (!handle(key))
                r.skipValue();
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
    d.members([&](QByteArrayView key) {
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
    d.members([&](QByteArrayView key) {
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
    d.members([&](QByteArrayView key) {
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
    d.members([&](QByteArrayView key) {
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
            d.at("googleCalendar"_L1, [&] {
                s.googleCalendar =
                    d.takeNull() ? GoogleCalendarSettings {} : readCalendarSettings<GoogleCalendarSettings>(d);
            });
        } else if (key == "appleCalendar") {
            d.at("appleCalendar"_L1, [&] {
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
    d.members([&](QByteArrayView key) {
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
            d.at("activeSession"_L1, [&] {
                snapshot.activeSession.reset();
                if (!d.takeNull())
                    snapshot.activeSession = readSession(d);
            });
        } else if (key == "settings") {
            d.at("settings"_L1, [&] {
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

// ---- writing ------------------------------------------------------------------------------

// Writes pretty-printed JSON straight into a byte buffer. Callers emit keys in ascending order.
class Writer
{
public:
    explicit Writer(const SnapshotCodec::Sink& sink)
        : m_sink(sink)
    {
        m_out.resize(chunkSize);
        m_p = m_out.data();
        m_end = m_p + m_out.size();
    }

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    void key(QLatin1StringView name)
    {
        member();
        reserve(name.size() + 4);
        *m_p++ = '"';
        std::memcpy(m_p, name.data(), size_t(name.size()));
        m_p += name.size();
        std::memcpy(m_p, "\": ", 3);
        m_p += 3;
        m_afterKey = true;
    }

    void string(const QString& value)
    {
        member();
        appendEscaped(value);
    }

    void uuid(const QUuid& value)
    {
        member();
        reserve(38);
        *m_p++ = '"';
        m_p = UuidText::writeUpper(m_p, value);
        *m_p++ = '"';
    }

    void boolean(bool value)
    {
        member();
        raw(value ? QByteArrayView("true") : QByteArrayView("false"));
    }

    void integer(int value)
    {
        member();
        reserve(16);
        m_p = std::to_chars(m_p, m_end, value).ptr;
    }

    void number(QLatin1StringView name, double value)
    {
        if (!std::isfinite(value))
            throw Failure { QString(name), u"cannot write a number that is not finite"_s };
        member();
        reserve(32);
        m_p = std::to_chars(m_p, m_end, value).ptr;
    }

    void instant(QLatin1StringView name, Instant value)
    {
        member();
        reserve(22);
        *m_p++ = '"';
        char* end = Iso8601::write(m_p, value);
        if (!end)
            throw Failure { QString(name), u"date is outside the years 1 to 9999"_s };
        m_p = end;
        *m_p++ = '"';
    }

    void finish()
    {
        reserve(1);
        *m_p++ = '\n';
        flush();
    }

private:
    void reserve(qsizetype n)
    {
        if (m_end - m_p < n) [[unlikely]]
            grow(n);
    }

    // Hands the chunk written so far to the sink; one value larger than a chunk (a very long
    // note) gets a buffer of its own size.
    Q_NEVER_INLINE void grow(qsizetype n)
    {
        flush();
        if (n > m_out.size()) {
            m_out.resize(n);
            m_p = m_out.data();
            m_end = m_p + m_out.size();
        }
    }

    void flush()
    {
        const QByteArrayView chunk(m_out.constData(), m_p - m_out.constData());
        if (!chunk.isEmpty() && !m_sink(chunk))
            throw OutputFailure {};
        m_p = m_out.data();
    }

    void raw(QByteArrayView bytes)
    {
        reserve(bytes.size());
        std::memcpy(m_p, bytes.data(), size_t(bytes.size()));
        m_p += bytes.size();
    }

    void open(char bracket)
    {
        member();
        reserve(1);
        *m_p++ = bracket;
        ++m_depth;
        m_empty = true;
    }

    void close(char bracket)
    {
        --m_depth;
        if (!m_empty)
            newline();
        reserve(1);
        *m_p++ = bracket;
        m_empty = false;
    }

    // Separator and indentation before a value, unless the value follows its key.
    void member()
    {
        if (m_afterKey) {
            m_afterKey = false;
            return;
        }
        if (m_depth == 0)
            return;
        if (!m_empty) {
            reserve(1);
            *m_p++ = ',';
        }
        newline();
        m_empty = false;
    }

    void newline()
    {
        reserve(1 + m_depth * 2);
        *m_p++ = '\n';
        std::memset(m_p, ' ', size_t(m_depth * 2));
        m_p += m_depth * 2;
    }

    // UTF-16 to escaped UTF-8 in one pass; a lone surrogate becomes U+FFFD, as QString::toUtf8 does.
    void appendEscaped(const QString& value)
    {
        static constexpr char hex[] = "0123456789abcdef";
        const auto* s = reinterpret_cast<const char16_t*>(value.utf16());
        const qsizetype n = value.size();
        reserve(n * 6 + 2);
        char* p = m_p;
        *p++ = '"';
        for (qsizetype i = 0; i < n; ++i) {
            char32_t c = s[i];
            if (c < 0x80) {
                if (c >= 0x20 && c != '"' && c != '\\') {
                    *p++ = char(c);
                    continue;
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
                    *p++ = hex[c >> 4];
                    *p++ = hex[c & 0xF];
                }
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

    // Small enough to stay in the cache, large enough for few system calls.
    static constexpr qsizetype chunkSize = 256 * 1024;

    const SnapshotCodec::Sink& m_sink;
    QByteArray m_out;
    char* m_p = nullptr;
    char* m_end = nullptr;
    int m_depth = 0;
    bool m_empty = true;
    bool m_afterKey = false;
};

template <typename Settings> void writeCalendarSettings(Writer& w, const Settings& s)
{
    w.beginObject();
    if (s.selectedCalendarID) {
        w.key("selectedCalendarID"_L1);
        w.string(*s.selectedCalendarID);
    }
    if (s.selectedCalendarName) {
        w.key("selectedCalendarName"_L1);
        w.string(*s.selectedCalendarName);
    }
    w.endObject();
}

template <typename Link> void writeLinks(Writer& w, const QList<Link>& links)
{
    w.beginArray();
    for (const Link& link : links) {
        w.beginObject();
        w.key("calendarID"_L1);
        w.string(link.calendarID);
        w.key("entryID"_L1);
        w.uuid(link.entryID);
        w.key("eventID"_L1);
        w.string(link.eventID);
        w.key("id"_L1);
        w.uuid(link.id);
        w.key("lastSyncedAt"_L1);
        w.instant("lastSyncedAt"_L1, link.lastSyncedAt);
        w.endObject();
    }
    w.endArray();
}

void writeEntries(Writer& w, const QList<TimeEntry>& entries)
{
    w.beginArray();
    for (const TimeEntry& e : entries) {
        w.beginObject();
        w.key("endDate"_L1);
        w.instant("endDate"_L1, e.endDate);
        w.key("id"_L1);
        w.uuid(e.id);
        w.key("notes"_L1);
        w.string(e.notes);
        w.key("projectID"_L1);
        w.uuid(e.projectID);
        w.key("startDate"_L1);
        w.instant("startDate"_L1, e.startDate);
        w.endObject();
    }
    w.endArray();
}

void writeProjects(Writer& w, const QList<Project>& projects)
{
    w.beginArray();
    for (const Project& p : projects) {
        w.beginObject();
        w.key("billingIncrementMinutes"_L1);
        w.integer(p.billingIncrementMinutes);
        w.key("billingRoundingStrategy"_L1);
        w.string(rawValue(p.billingRoundingStrategy));
        w.key("colorName"_L1);
        w.string(p.colorName);
        w.key("createdAt"_L1);
        w.instant("createdAt"_L1, p.createdAt);
        if (p.hourlyRate) {
            w.key("hourlyRate"_L1);
            w.number("hourlyRate"_L1, *p.hourlyRate);
        }
        w.key("id"_L1);
        w.uuid(p.id);
        w.key("isArchived"_L1);
        w.boolean(p.isArchived);
        w.key("name"_L1);
        w.string(p.name);
        w.endObject();
    }
    w.endArray();
}

void writeSettings(Writer& w, const AppSettings& s)
{
    w.beginObject();
    w.key("appleCalendar"_L1);
    writeCalendarSettings(w, s.appleCalendar);
    w.key("currencyCode"_L1);
    w.string(s.currencyCode);
    w.key("googleCalendar"_L1);
    writeCalendarSettings(w, s.googleCalendar);
    w.key("languagePreference"_L1);
    w.string(rawValue(s.languagePreference));
    w.key("pomodoroBreaksAreBillable"_L1);
    w.boolean(s.pomodoroBreaksAreBillable);
    w.key("pomodoroEnabled"_L1);
    w.boolean(s.pomodoroEnabled);
    w.key("pomodoroLongBreakInterval"_L1);
    w.integer(s.pomodoroLongBreakInterval);
    w.key("pomodoroLongBreakMinutes"_L1);
    w.integer(s.pomodoroLongBreakMinutes);
    w.key("pomodoroOverlayEnabled"_L1);
    w.boolean(s.pomodoroOverlayEnabled);
    w.key("pomodoroShortBreakMinutes"_L1);
    w.integer(s.pomodoroShortBreakMinutes);
    w.key("pomodoroSoundEnabled"_L1);
    w.boolean(s.pomodoroSoundEnabled);
    w.key("pomodoroWorkMinutes"_L1);
    w.integer(s.pomodoroWorkMinutes);
    w.key("workReminderEnabled"_L1);
    w.boolean(s.workReminderEnabled);
    w.key("workReminderIntervalMinutes"_L1);
    w.integer(s.workReminderIntervalMinutes);
    w.endObject();
}

// Runs one section of the writer, adding its key to the path of a failure.
template <typename Write> void section(QLatin1StringView key, Write write)
{
    try {
        write();
    } catch (Failure& failure) {
        prependKey(failure, key);
        throw;
    }
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

Expected<Done, EncodeError> encode(const AppSnapshot& snapshot, const Sink& sink)
{
    Writer w(sink);
    try {
        w.beginObject();
        if (snapshot.activeSession) {
            section("activeSession"_L1, [&] {
                w.key("activeSession"_L1);
                w.beginObject();
                w.key("projectID"_L1);
                w.uuid(snapshot.activeSession->projectID);
                w.key("startDate"_L1);
                w.instant("startDate"_L1, snapshot.activeSession->startDate);
                w.endObject();
            });
        }
        section("appleCalendarEventLinks"_L1, [&] {
            w.key("appleCalendarEventLinks"_L1);
            writeLinks(w, snapshot.appleCalendarEventLinks);
        });
        section("entries"_L1, [&] {
            w.key("entries"_L1);
            writeEntries(w, snapshot.entries);
        });
        section("googleCalendarEventLinks"_L1, [&] {
            w.key("googleCalendarEventLinks"_L1);
            writeLinks(w, snapshot.googleCalendarEventLinks);
        });
        section("projects"_L1, [&] {
            w.key("projects"_L1);
            writeProjects(w, snapshot.projects);
        });
        w.key("settings"_L1);
        writeSettings(w, snapshot.settings);
        w.endObject();
        w.finish();
    } catch (const Failure& failure) {
        return Unexpected(EncodeError { failure.path, failure.reason });
    } catch (const OutputFailure&) {
        return Unexpected(EncodeError { QString(), u"the output could not be written"_s, true });
    }
    return Done {};
}

Expected<QByteArray, EncodeError> encode(const AppSnapshot& snapshot)
{
    QByteArray bytes;
    auto encoded = encode(snapshot, [&bytes](QByteArrayView chunk) {
        bytes.append(chunk);
        return true;
    });
    if (!encoded)
        return Unexpected(encoded.error());
    return bytes;
}

} // namespace SnapshotCodec
} // namespace tivren
