#include "app/text/NotificationTexts.h"

#include "app/text/AppStrings.h"

using namespace Qt::StringLiterals;

namespace tivren::NotificationTexts {

NotificationText phaseBegan(PomodoroPhase phase, const QLocale& locale)
{
    switch (phase) {
    case PomodoroPhase::work:
        return { AppStrings::text(locale, u"Back to work"_tr),
            AppStrings::text(locale, u"Your break is over - the next Pomodoro has started."_tr) };
    case PomodoroPhase::shortBreak:
        return { AppStrings::text(locale, u"Time for a short break"_tr),
            AppStrings::text(locale, u"Step away from the screen for a few minutes."_tr) };
    case PomodoroPhase::longBreak:
        return { AppStrings::text(locale, u"Time for a long break"_tr),
            AppStrings::text(locale, u"Take a longer break and recharge."_tr) };
    }
    return {};
}

NotificationText workReminder(Seconds elapsed, const QLocale& locale)
{
    // Looked up as a format, so a table can translate it whatever the elapsed time.
    return { AppStrings::text(locale, u"Still working?"_tr),
        AppStrings::text(
            locale, u"You've been working for %@ — consider taking a short break."_tr, { formattedElapsed(elapsed) }) };
}

QString skipAction(const QLocale& locale)
{
    return AppStrings::text(locale, u"Skip"_tr);
}

QString formattedElapsed(Seconds elapsed)
{
    const auto whole = static_cast<qint64>(elapsed); // toward zero
    const qint64 minutes = whole % 3600 / 60;
    if (whole < 3600)
        return QString::number(minutes) + u" min"_s;
    return QString::number(whole / 3600) + u"h "_s + QString::number(minutes) + u'm';
}

} // namespace tivren::NotificationTexts
