// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/SnapshotCodec.h"

#include "core/datafile/RecordFields.h"

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

QString describe(const QString& path, const QString& reason)
{
    if (path.isEmpty())
        return reason;
    return path + u": "_s + reason;
}

} // namespace

QString DecodeError::description() const
{
    return describe(path, reason);
}

QString EncodeError::description() const
{
    return describe(path, reason);
}

namespace SnapshotCodec {
namespace detail {

// Each table lists a record's fields in the order of its members: the first required key missing
// from an object is the one reported.

template <> struct Fields<Project>
{
    using P = Project;
    static constexpr std::array table {
        field<&P::id, kind::Uuid>("id"_L1, Rule::generated),
        field<&P::name, kind::Text>("name"_L1, Rule::required),
        field<&P::hourlyRate, kind::Optional<kind::Number>>("hourlyRate"_L1, Rule::defaulted),
        field<&P::billingIncrementMinutes, kind::Integer<1>>("billingIncrementMinutes"_L1, Rule::defaulted),
        field<&P::billingRoundingStrategy, kind::Enumeration<&billingRoundingStrategyFromRawValue>>(
            "billingRoundingStrategy"_L1, Rule::defaulted),
        field<&P::colorName, kind::Text>("colorName"_L1, Rule::defaulted),
        field<&P::isArchived, kind::Boolean>("isArchived"_L1, Rule::defaulted),
        field<&P::createdAt, kind::Moment>("createdAt"_L1, Rule::generated),
    };
};

template <> struct Fields<TimeEntry>
{
    using E = TimeEntry;
    static constexpr std::array table {
        field<&E::id, kind::Uuid>("id"_L1, Rule::required),
        field<&E::projectID, kind::Uuid>("projectID"_L1, Rule::required),
        field<&E::startDate, kind::Moment>("startDate"_L1, Rule::required),
        field<&E::endDate, kind::Moment>("endDate"_L1, Rule::required),
        field<&E::notes, kind::Text>("notes"_L1, Rule::required),
    };
};

template <typename Service> struct Fields<CalendarEventLink<Service>>
{
    using L = CalendarEventLink<Service>;
    static constexpr std::array table {
        field<&L::id, kind::Uuid>("id"_L1, Rule::required),
        field<&L::entryID, kind::Uuid>("entryID"_L1, Rule::required),
        field<&L::calendarID, kind::Text>("calendarID"_L1, Rule::required),
        field<&L::eventID, kind::Text>("eventID"_L1, Rule::required),
        field<&L::lastSyncedAt, kind::Moment>("lastSyncedAt"_L1, Rule::required),
    };
};

template <> struct Fields<ActiveTimerSession>
{
    using S = ActiveTimerSession;
    static constexpr std::array table {
        field<&S::projectID, kind::Uuid>("projectID"_L1, Rule::required),
        field<&S::startDate, kind::Moment>("startDate"_L1, Rule::required),
    };
};

template <> struct Fields<AwayQuestion>
{
    using A = AwayQuestion;
    static constexpr std::array table {
        field<&A::since, kind::Moment>("since"_L1, Rule::required),
        field<&A::until, kind::Moment>("until"_L1, Rule::required),
    };
};

template <typename Service> struct Fields<CalendarSettings<Service>>
{
    using C = CalendarSettings<Service>;
    static constexpr std::array table {
        field<&C::selectedCalendarID, kind::Optional<kind::Text>>("selectedCalendarID"_L1, Rule::defaulted),
        field<&C::selectedCalendarName, kind::Optional<kind::Text>>("selectedCalendarName"_L1, Rule::defaulted),
    };
};

// Every setting is optional: missing or null keeps the default.
template <> struct Fields<AppSettings>
{
    using S = AppSettings;
    using Minutes = kind::Integer<>; // stored as read; consumers clamp them where they use them
    static constexpr Rule d = Rule::defaulted;
    static constexpr std::array table {
        field<&S::currencyCode, kind::Text>("currencyCode"_L1, d),
        field<&S::languagePreference, kind::Enumeration<&appLanguagePreferenceFromRawValue>>(
            "languagePreference"_L1, d),
        field<&S::pomodoroEnabled, kind::Boolean>("pomodoroEnabled"_L1, d),
        field<&S::pomodoroBreaksAreBillable, kind::Boolean>("pomodoroBreaksAreBillable"_L1, d),
        field<&S::pomodoroWorkMinutes, Minutes>("pomodoroWorkMinutes"_L1, d),
        field<&S::pomodoroShortBreakMinutes, Minutes>("pomodoroShortBreakMinutes"_L1, d),
        field<&S::pomodoroLongBreakMinutes, Minutes>("pomodoroLongBreakMinutes"_L1, d),
        field<&S::pomodoroLongBreakInterval, Minutes>("pomodoroLongBreakInterval"_L1, d),
        field<&S::pomodoroSoundEnabled, kind::Boolean>("pomodoroSoundEnabled"_L1, d),
        field<&S::pomodoroOverlayEnabled, kind::Boolean>("pomodoroOverlayEnabled"_L1, d),
        field<&S::workReminderEnabled, kind::Boolean>("workReminderEnabled"_L1, d),
        field<&S::workReminderIntervalMinutes, Minutes>("workReminderIntervalMinutes"_L1, d),
        field<&S::awayQuestionEnabled, kind::Boolean>("awayQuestionEnabled"_L1, d),
        field<&S::awayThresholdMinutes, Minutes>("awayThresholdMinutes"_L1, d),
        field<&S::stopOnScreenLock, kind::Boolean>("stopOnScreenLock"_L1, d),
        field<&S::googleCalendar, kind::Object<GoogleCalendarSettings>>("googleCalendar"_L1, d),
        field<&S::appleCalendar, kind::Object<AppleCalendarSettings>>("appleCalendar"_L1, d),
    };
};

template <> struct Fields<AppSnapshot>
{
    using S = AppSnapshot;
    static constexpr Rule d = Rule::defaulted;
    static constexpr std::array table {
        field<&S::projects, kind::List<Project>>("projects"_L1, d),
        field<&S::entries, kind::List<TimeEntry>>("entries"_L1, d),
        field<&S::googleCalendarEventLinks, kind::List<GoogleCalendarEventLink>>("googleCalendarEventLinks"_L1, d),
        field<&S::appleCalendarEventLinks, kind::List<AppleCalendarEventLink>>("appleCalendarEventLinks"_L1, d),
        field<&S::activeSession, kind::Optional<kind::Object<ActiveTimerSession>>>("activeSession"_L1, d),
        field<&S::awayQuestion, kind::Optional<kind::Object<AwayQuestion>>>("awayQuestion"_L1, d),
        field<&S::settings, kind::Object<AppSettings>>("settings"_L1, d),
    };
};

} // namespace detail

Expected<AppSnapshot, DecodeError> decode(const QByteArray& json)
{
    JsonReader reader(json);
    try {
        const JsonReader::Type top = reader.peek();
        if (top == JsonReader::Type::invalid)
            reader.skipValue(); // throws the syntax error
        if (top != JsonReader::Type::object)
            detail::fail(QLatin1StringView(), u"expected a JSON object at the top level"_s);
        detail::FieldReader fields(reader);
        AppSnapshot snapshot = detail::readRecord<AppSnapshot>(fields);
        reader.expectEnd();
        return snapshot;
    } catch (const detail::Failure& failure) {
        return Unexpected(DecodeError { failure.path, failure.reason });
    } catch (const JsonReader::SyntaxError& error) {
        return Unexpected(DecodeError {
            QString(), u"not valid JSON: %1 (%2)"_s.arg(error.reason, reader.describePosition(error.offset)) });
    }
}

Expected<Done, EncodeError> encode(const AppSnapshot& snapshot, const Sink& sink)
{
    JsonWriter writer(sink);
    try {
        detail::writeRecord(writer, snapshot);
        writer.finish();
    } catch (const detail::Failure& failure) {
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

} // namespace SnapshotCodec
} // namespace tivren
