// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/NotificationTexts.h"

#include "app/text/AppStrings.h"

using namespace Qt::StringLiterals;

namespace tivren::NotificationTexts {

NotificationText phaseBegan(PomodoroPhase phase, const QLocale& locale)
{
    switch (phase) {
    case PomodoroPhase::work:
        return { AppStrings::text(locale, Text::en("Back to work")),
            AppStrings::text(locale, Text::en("Your break is over - the next Pomodoro has started.")) };
    case PomodoroPhase::shortBreak:
        return { AppStrings::text(locale, Text::en("Time for a short break")),
            AppStrings::text(locale, Text::en("Step away from the screen for a few minutes.")) };
    case PomodoroPhase::longBreak:
        return { AppStrings::text(locale, Text::en("Time for a long break")),
            AppStrings::text(locale, Text::en("Take a longer break and recharge.")) };
    }
    return {};
}

NotificationText workReminder(Seconds elapsed, const QLocale& locale)
{
    // Looked up as a format, so a table can translate it whatever the elapsed time.
    return { AppStrings::text(locale, Text::en("Still working?")),
        AppStrings::text(locale,
            Text::en("You've been working for %@ — consider taking a short break."),
            { formattedElapsed(elapsed) }) };
}

QString skipAction(const QLocale& locale)
{
    //: Verb, a notification button: end the current Pomodoro phase now.
    return AppStrings::text(locale, Text::en("Skip"));
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
