// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/records/ActiveTimerSession.h"
#include "core/records/AppSettings.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"

#include <QLocale>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {

Project::Project(QUuid id,
    QString name,
    std::optional<double> hourlyRate,
    int billingIncrementMinutes,
    BillingRoundingStrategy billingRoundingStrategy,
    QString colorName,
    bool isArchived,
    Instant createdAt)
    : id(id)
    , name(std::move(name))
    , hourlyRate(hourlyRate)
    , billingIncrementMinutes(std::max(billingIncrementMinutes, 1))
    , billingRoundingStrategy(billingRoundingStrategy)
    , colorName(std::move(colorName))
    , isArchived(isArchived)
    , createdAt(createdAt)
{
}

size_t qHash(const Project& p, size_t seed) noexcept
{
    return qHashMulti(seed,
        p.id,
        p.name,
        p.hourlyRate.value_or(0.0),
        p.hourlyRate.has_value(),
        p.billingIncrementMinutes,
        qToUnderlying(p.billingRoundingStrategy),
        p.colorName,
        p.isArchived,
        p.createdAt,
        p.extras);
}

QStringList projectColorNames()
{
    return { u"blue"_s, u"red"_s, u"orange"_s, u"green"_s, u"mint"_s, u"teal"_s, u"indigo"_s, u"pink"_s };
}

size_t qHash(const TimeEntry& e, size_t seed) noexcept
{
    return qHashMulti(seed, e.id, e.projectID, e.startDate, e.endDate, e.notes, e.extras);
}

size_t qHash(const ActiveTimerSession& s, size_t seed) noexcept
{
    return qHashMulti(seed, s.projectID, s.startDate, s.extras);
}

QString AppSettings::defaultCurrencyCode()
{
    // The "C" locale (no LANG set) reports no currency.
    const QString code = QLocale::system().currencySymbol(QLocale::CurrencyIsoCode);
    return code.isEmpty() ? u"USD"_s : code;
}

size_t qHash(const AppSettings& s, size_t seed) noexcept
{
    return qHashMulti(seed,
        s.currencyCode,
        qToUnderlying(s.languagePreference),
        s.pomodoroEnabled,
        s.pomodoroBreaksAreBillable,
        s.pomodoroWorkMinutes,
        s.pomodoroShortBreakMinutes,
        s.pomodoroLongBreakMinutes,
        s.pomodoroLongBreakInterval,
        s.pomodoroSoundEnabled,
        s.pomodoroOverlayEnabled,
        s.workReminderEnabled,
        s.workReminderIntervalMinutes,
        s.awayQuestionEnabled,
        s.awayThresholdMinutes,
        s.stopOnScreenLock,
        s.googleCalendar,
        s.appleCalendar,
        s.extras);
}

} // namespace tivren
