#include "core/SnapshotCodec.h"

#include "core/Uuid.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <charconv>
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

// Thrown inside this file only, caught by decode(); each level adds its key to the path on the
// way out, so the happy path builds no path strings at all.
struct Failure
{
    QString path;
    QString reason;
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

QString typeName(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return u"null"_s;
    case QJsonValue::Bool:
        return u"a boolean"_s;
    case QJsonValue::Double:
        return u"a number"_s;
    case QJsonValue::String:
        return u"a string"_s;
    case QJsonValue::Array:
        return u"an array"_s;
    case QJsonValue::Object:
        return u"an object"_s;
    case QJsonValue::Undefined:
        break;
    }
    return u"nothing"_s;
}

[[noreturn]] void failType(QLatin1StringView key, const QJsonValue& value, QStringView expected)
{
    fail(key, u"expected "_s + expected + u", found "_s + typeName(value));
}

// A key is "absent" when it is missing or null; optional keys then take their default.
bool absent(const QJsonValue& value)
{
    return value.isUndefined() || value.isNull();
}

QJsonValue required(const QJsonObject& object, QLatin1StringView key)
{
    QJsonValue value = object.value(key);
    if (value.isUndefined())
        fail(key, u"required key is missing"_s);
    if (value.isNull())
        fail(key, u"required value is null"_s);
    return value;
}

QString toString(QLatin1StringView key, const QJsonValue& value)
{
    if (!value.isString())
        failType(key, value, u"a string");
    return value.toString();
}

double toDouble(QLatin1StringView key, const QJsonValue& value)
{
    if (!value.isDouble())
        failType(key, value, u"a number");
    return value.toDouble();
}

int toInt(QLatin1StringView key, const QJsonValue& value)
{
    const double number = toDouble(key, value);
    if (number != std::floor(number) || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        fail(key, u"expected a whole number, found "_s + QString::number(number, 'g', 17));
    return static_cast<int>(number);
}

bool toBool(QLatin1StringView key, const QJsonValue& value)
{
    if (!value.isBool())
        failType(key, value, u"a boolean");
    return value.toBool();
}

QUuid toUuid(QLatin1StringView key, const QJsonValue& value)
{
    const QString text = toString(key, value);
    const auto uuid = UuidText::parse(QStringView(text));
    if (!uuid)
        fail(key, u"expected a UUID, found \""_s + text + u'"');
    return *uuid;
}

Instant toInstant(QLatin1StringView key, const QJsonValue& value)
{
    const QString text = toString(key, value);
    const auto instant = Iso8601::parse(QStringView(text));
    if (!instant)
        fail(key, u"expected an ISO 8601 date-time with whole seconds and a time zone, found \""_s + text + u'"');
    return *instant;
}

QJsonObject toObject(QLatin1StringView key, const QJsonValue& value)
{
    if (!value.isObject())
        failType(key, value, u"an object");
    return value.toObject();
}

template <typename Enum>
Enum toEnum(QLatin1StringView key, const QJsonValue& value, std::optional<Enum> (*fromRaw)(QStringView))
{
    const QString text = toString(key, value);
    const auto parsed = fromRaw(text);
    if (!parsed)
        fail(key, u"unknown value \""_s + text + u'"');
    return *parsed;
}

Project decodeProject(const QJsonObject& o)
{
    Project p;
    const QJsonValue id = o.value("id"_L1);
    p.id = absent(id) ? QUuid::createUuid() : toUuid("id"_L1, id);
    p.name = toString("name"_L1, required(o, "name"_L1));
    if (const QJsonValue v = o.value("hourlyRate"_L1); !absent(v))
        p.hourlyRate = toDouble("hourlyRate"_L1, v);
    if (const QJsonValue v = o.value("billingIncrementMinutes"_L1); !absent(v))
        p.billingIncrementMinutes = std::max(toInt("billingIncrementMinutes"_L1, v), 1);
    if (const QJsonValue v = o.value("billingRoundingStrategy"_L1); !absent(v))
        p.billingRoundingStrategy = toEnum("billingRoundingStrategy"_L1, v, &billingRoundingStrategyFromRawValue);
    if (const QJsonValue v = o.value("colorName"_L1); !absent(v))
        p.colorName = toString("colorName"_L1, v);
    if (const QJsonValue v = o.value("isArchived"_L1); !absent(v))
        p.isArchived = toBool("isArchived"_L1, v);
    const QJsonValue created = o.value("createdAt"_L1);
    p.createdAt = absent(created) ? QDateTime::currentMSecsSinceEpoch() / 1000.0 : toInstant("createdAt"_L1, created);
    return p;
}

TimeEntry decodeEntry(const QJsonObject& o)
{
    TimeEntry e;
    e.id = toUuid("id"_L1, required(o, "id"_L1));
    e.projectID = toUuid("projectID"_L1, required(o, "projectID"_L1));
    e.startDate = toInstant("startDate"_L1, required(o, "startDate"_L1));
    e.endDate = toInstant("endDate"_L1, required(o, "endDate"_L1));
    e.notes = toString("notes"_L1, required(o, "notes"_L1));
    return e;
}

template <typename Link> Link decodeLink(const QJsonObject& o)
{
    Link link;
    link.id = toUuid("id"_L1, required(o, "id"_L1));
    link.entryID = toUuid("entryID"_L1, required(o, "entryID"_L1));
    link.calendarID = toString("calendarID"_L1, required(o, "calendarID"_L1));
    link.eventID = toString("eventID"_L1, required(o, "eventID"_L1));
    link.lastSyncedAt = toInstant("lastSyncedAt"_L1, required(o, "lastSyncedAt"_L1));
    return link;
}

ActiveTimerSession decodeSession(const QJsonObject& o)
{
    return { toUuid("projectID"_L1, required(o, "projectID"_L1)),
        toInstant("startDate"_L1, required(o, "startDate"_L1)) };
}

template <typename Settings> Settings decodeCalendarSettings(const QJsonObject& o)
{
    Settings settings;
    if (const QJsonValue v = o.value("selectedCalendarID"_L1); !absent(v))
        settings.selectedCalendarID = toString("selectedCalendarID"_L1, v);
    if (const QJsonValue v = o.value("selectedCalendarName"_L1); !absent(v))
        settings.selectedCalendarName = toString("selectedCalendarName"_L1, v);
    return settings;
}

// Runs decode on the object under key, adding the key to the path of a failure.
template <typename Decode> auto nested(QLatin1StringView key, const QJsonValue& value, Decode decode)
{
    const QJsonObject object = toObject(key, value);
    try {
        return decode(object);
    } catch (Failure& failure) {
        prependKey(failure, key);
        throw;
    }
}

AppSettings decodeSettings(const QJsonObject& o)
{
    AppSettings s;
    auto optional = [&o](QLatin1StringView key, auto convert, auto& field) {
        if (const QJsonValue v = o.value(key); !absent(v))
            field = convert(key, v);
    };
    optional("currencyCode"_L1, toString, s.currencyCode);
    if (const QJsonValue v = o.value("languagePreference"_L1); !absent(v))
        s.languagePreference = toEnum("languagePreference"_L1, v, &appLanguagePreferenceFromRawValue);
    optional("pomodoroEnabled"_L1, toBool, s.pomodoroEnabled);
    optional("pomodoroBreaksAreBillable"_L1, toBool, s.pomodoroBreaksAreBillable);
    optional("pomodoroWorkMinutes"_L1, toInt, s.pomodoroWorkMinutes);
    optional("pomodoroShortBreakMinutes"_L1, toInt, s.pomodoroShortBreakMinutes);
    optional("pomodoroLongBreakMinutes"_L1, toInt, s.pomodoroLongBreakMinutes);
    optional("pomodoroLongBreakInterval"_L1, toInt, s.pomodoroLongBreakInterval);
    optional("pomodoroSoundEnabled"_L1, toBool, s.pomodoroSoundEnabled);
    optional("pomodoroOverlayEnabled"_L1, toBool, s.pomodoroOverlayEnabled);
    optional("workReminderEnabled"_L1, toBool, s.workReminderEnabled);
    optional("workReminderIntervalMinutes"_L1, toInt, s.workReminderIntervalMinutes);
    if (const QJsonValue v = o.value("googleCalendar"_L1); !absent(v))
        s.googleCalendar = nested("googleCalendar"_L1, v, decodeCalendarSettings<GoogleCalendarSettings>);
    if (const QJsonValue v = o.value("appleCalendar"_L1); !absent(v))
        s.appleCalendar = nested("appleCalendar"_L1, v, decodeCalendarSettings<AppleCalendarSettings>);
    return s;
}

template <typename Record, typename Decode>
QList<Record> decodeList(const QJsonObject& root, QLatin1StringView key, Decode decode)
{
    const QJsonValue value = root.value(key);
    QList<Record> records;
    if (absent(value))
        return records;
    if (!value.isArray())
        failType(key, value, u"an array");
    const QJsonArray array = value.toArray();
    records.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue element = array.at(i);
        const QString index = u'[' + QString::number(i) + u']';
        try {
            if (!element.isObject())
                throw Failure { QString(), u"expected an object, found "_s + typeName(element) };
            records.append(decode(element.toObject()));
        } catch (Failure& failure) {
            failure.path = failure.path.isEmpty() ? index : index + u'.' + failure.path;
            prependKey(failure, key);
            throw;
        }
    }
    return records;
}

// ---- writing ------------------------------------------------------------------------------

// Writes pretty-printed JSON straight into a byte buffer. Callers emit keys in ascending order.
class Writer
{
public:
    explicit Writer(qsizetype expectedSize) { m_out.reserve(expectedSize); }

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    void key(QLatin1StringView name)
    {
        member();
        m_out.append('"').append(name.data(), name.size()).append("\": ", 3);
        m_afterKey = true;
    }

    void string(const QString& value)
    {
        member();
        appendEscaped(value.toUtf8());
    }
    void uuid(const QUuid& value)
    {
        member();
        m_out.append('"');
        UuidText::appendUpper(m_out, value);
        m_out.append('"');
    }
    void boolean(bool value)
    {
        member();
        m_out.append(value ? "true" : "false");
    }
    void integer(int value)
    {
        member();
        char buffer[16];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        m_out.append(buffer, result.ptr - buffer);
    }
    void number(QLatin1StringView name, double value)
    {
        if (!std::isfinite(value))
            throw Failure { QString(name), u"cannot write a number that is not finite"_s };
        member();
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        m_out.append(buffer, result.ptr - buffer);
    }
    void instant(QLatin1StringView name, Instant value)
    {
        member();
        m_out.append('"');
        if (!Iso8601::append(m_out, value))
            throw Failure { QString(name), u"date is outside the years 1 to 9999"_s };
        m_out.append('"');
    }

    QByteArray take()
    {
        m_out.append('\n');
        return std::move(m_out);
    }

private:
    void open(char bracket)
    {
        member();
        m_out.append(bracket);
        ++m_depth;
        m_empty = true;
    }

    void close(char bracket)
    {
        --m_depth;
        if (!m_empty)
            newline();
        m_out.append(bracket);
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
        if (!m_empty)
            m_out.append(',');
        newline();
        m_empty = false;
    }

    void newline()
    {
        m_out.append('\n');
        m_out.append(m_depth * 2, ' ');
    }

    void appendEscaped(const QByteArray& utf8)
    {
        static constexpr char hex[] = "0123456789abcdef";
        m_out.append('"');
        qsizetype runStart = 0;
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c >= 0x20 && c != '"' && c != '\\')
                continue;
            m_out.append(utf8.constData() + runStart, i - runStart);
            runStart = i + 1;
            switch (c) {
            case '"':
                m_out.append("\\\"", 2);
                break;
            case '\\':
                m_out.append("\\\\", 2);
                break;
            case '\n':
                m_out.append("\\n", 2);
                break;
            case '\r':
                m_out.append("\\r", 2);
                break;
            case '\t':
                m_out.append("\\t", 2);
                break;
            default: {
                const char escape[] = { '\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF] };
                m_out.append(escape, 6);
            }
            }
        }
        m_out.append(utf8.constData() + runStart, utf8.size() - runStart);
        m_out.append('"');
    }

    QByteArray m_out;
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
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        return Unexpected(DecodeError {
            QString(), u"not valid JSON (%1 at byte %2)"_s.arg(parseError.errorString()).arg(parseError.offset) });
    }
    if (!document.isObject())
        return Unexpected(DecodeError { QString(), u"expected a JSON object at the top level"_s });
    const QJsonObject root = document.object();
    try {
        AppSnapshot snapshot;
        snapshot.projects = decodeList<Project>(root, "projects"_L1, decodeProject);
        snapshot.entries = decodeList<TimeEntry>(root, "entries"_L1, decodeEntry);
        snapshot.googleCalendarEventLinks = decodeList<GoogleCalendarEventLink>(
            root, "googleCalendarEventLinks"_L1, decodeLink<GoogleCalendarEventLink>);
        snapshot.appleCalendarEventLinks =
            decodeList<AppleCalendarEventLink>(root, "appleCalendarEventLinks"_L1, decodeLink<AppleCalendarEventLink>);
        if (const QJsonValue v = root.value("activeSession"_L1); !absent(v))
            snapshot.activeSession = nested("activeSession"_L1, v, decodeSession);
        if (const QJsonValue v = root.value("settings"_L1); !absent(v))
            snapshot.settings = nested("settings"_L1, v, decodeSettings);
        return snapshot;
    } catch (const Failure& failure) {
        return Unexpected(DecodeError { failure.path, failure.reason });
    }
}

Expected<QByteArray, EncodeError> encode(const AppSnapshot& snapshot)
{
    // About 330 bytes an entry once pretty-printed; reserving avoids regrowing a 16 MB buffer.
    Writer w(4096 + snapshot.entries.size() * 340 + snapshot.projects.size() * 300
        + (snapshot.googleCalendarEventLinks.size() + snapshot.appleCalendarEventLinks.size()) * 260);
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
    } catch (const Failure& failure) {
        return Unexpected(EncodeError { failure.path, failure.reason });
    }
    return w.take();
}

} // namespace SnapshotCodec
} // namespace tivren
