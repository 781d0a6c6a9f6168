// The writing half of SnapshotCodec.
#include "core/datafile/JsonWriter.h"
#include "core/datafile/SnapshotCodec.h"
#include "core/datafile/SnapshotCodecFailure.h"

#include <optional>

using namespace Qt::StringLiterals;

namespace tivren::SnapshotCodec {
namespace {

using detail::at;
using detail::fail;
using detail::Failure;

// Writes one record's object: the known fields, given in ascending key order, with the unknown
// members the record was read with merged in among them by key.
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
            fail(name, u"cannot write a number that is not finite"_s);
    }

    void instant(QLatin1StringView name, Instant value)
    {
        if (!key(name).instant(value))
            fail(name, u"date is outside the years 1 to 9999"_s);
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

template <typename Settings> void writeCalendarSettings(JsonWriter& w, const Settings& s)
{
    ObjectWriter o(w, s.extras);
    if (s.selectedCalendarID)
        o.string("selectedCalendarID"_L1, *s.selectedCalendarID);
    if (s.selectedCalendarName)
        o.string("selectedCalendarName"_L1, *s.selectedCalendarName);
    o.end();
}

template <typename Link> void writeLinks(JsonWriter& w, const QList<Link>& links)
{
    w.beginArray();
    for (const Link& link : links) {
        ObjectWriter o(w, link.extras);
        o.string("calendarID"_L1, link.calendarID);
        o.uuid("entryID"_L1, link.entryID);
        o.string("eventID"_L1, link.eventID);
        o.uuid("id"_L1, link.id);
        o.instant("lastSyncedAt"_L1, link.lastSyncedAt);
        o.end();
    }
    w.endArray();
}

void writeEntries(JsonWriter& w, const QList<TimeEntry>& entries)
{
    w.beginArray();
    for (const TimeEntry& e : entries) {
        ObjectWriter o(w, e.extras);
        o.instant("endDate"_L1, e.endDate);
        o.uuid("id"_L1, e.id);
        o.string("notes"_L1, e.notes);
        o.uuid("projectID"_L1, e.projectID);
        o.instant("startDate"_L1, e.startDate);
        o.end();
    }
    w.endArray();
}

void writeProjects(JsonWriter& w, const QList<Project>& projects)
{
    w.beginArray();
    for (const Project& p : projects) {
        ObjectWriter o(w, p.extras);
        o.integer("billingIncrementMinutes"_L1, p.billingIncrementMinutes);
        o.string("billingRoundingStrategy"_L1, rawValue(p.billingRoundingStrategy));
        o.string("colorName"_L1, p.colorName);
        o.instant("createdAt"_L1, p.createdAt);
        if (p.hourlyRate)
            o.number("hourlyRate"_L1, *p.hourlyRate);
        o.uuid("id"_L1, p.id);
        o.boolean("isArchived"_L1, p.isArchived);
        o.string("name"_L1, p.name);
        o.end();
    }
    w.endArray();
}

void writeSession(JsonWriter& w, const ActiveTimerSession& session)
{
    ObjectWriter o(w, session.extras);
    o.uuid("projectID"_L1, session.projectID);
    o.instant("startDate"_L1, session.startDate);
    o.end();
}

void writeSettings(JsonWriter& w, const AppSettings& s)
{
    ObjectWriter o(w, s.extras);
    writeCalendarSettings(o.key("appleCalendar"_L1), s.appleCalendar);
    o.string("currencyCode"_L1, s.currencyCode);
    writeCalendarSettings(o.key("googleCalendar"_L1), s.googleCalendar);
    o.string("languagePreference"_L1, rawValue(s.languagePreference));
    o.boolean("pomodoroBreaksAreBillable"_L1, s.pomodoroBreaksAreBillable);
    o.boolean("pomodoroEnabled"_L1, s.pomodoroEnabled);
    o.integer("pomodoroLongBreakInterval"_L1, s.pomodoroLongBreakInterval);
    o.integer("pomodoroLongBreakMinutes"_L1, s.pomodoroLongBreakMinutes);
    o.boolean("pomodoroOverlayEnabled"_L1, s.pomodoroOverlayEnabled);
    o.integer("pomodoroShortBreakMinutes"_L1, s.pomodoroShortBreakMinutes);
    o.boolean("pomodoroSoundEnabled"_L1, s.pomodoroSoundEnabled);
    o.integer("pomodoroWorkMinutes"_L1, s.pomodoroWorkMinutes);
    o.boolean("workReminderEnabled"_L1, s.workReminderEnabled);
    o.integer("workReminderIntervalMinutes"_L1, s.workReminderIntervalMinutes);
    o.end();
}

void writeSnapshot(JsonWriter& w, const AppSnapshot& snapshot)
{
    ObjectWriter o(w, snapshot.extras);
    if (snapshot.activeSession) {
        at("activeSession"_L1, [&] {
            writeSession(o.key("activeSession"_L1), *snapshot.activeSession);
        });
    }
    at("appleCalendarEventLinks"_L1, [&] {
        writeLinks(o.key("appleCalendarEventLinks"_L1), snapshot.appleCalendarEventLinks);
    });
    at("entries"_L1, [&] {
        writeEntries(o.key("entries"_L1), snapshot.entries);
    });
    at("googleCalendarEventLinks"_L1, [&] {
        writeLinks(o.key("googleCalendarEventLinks"_L1), snapshot.googleCalendarEventLinks);
    });
    at("projects"_L1, [&] {
        writeProjects(o.key("projects"_L1), snapshot.projects);
    });
    writeSettings(o.key("settings"_L1), snapshot.settings);
    o.end();
}

} // namespace

Expected<Done, EncodeError> encode(const AppSnapshot& snapshot, const Sink& sink)
{
    JsonWriter w(sink);
    try {
        writeSnapshot(w, snapshot);
        w.finish();
    } catch (const Failure& failure) {
        return Unexpected(EncodeError { failure.path, failure.reason });
    } catch (const JsonWriter::SinkRefused&) {
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

} // namespace tivren::SnapshotCodec
