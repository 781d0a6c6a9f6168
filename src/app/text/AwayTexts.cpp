// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/AwayTexts.h"

#include "app/text/AppStrings.h"

#include <QDateTime>

namespace tivren::AwayTexts {

namespace {

QString timeOfDay(Instant instant, const QLocale& locale)
{
    return locale.toString(QDateTime::fromMSecsSinceEpoch(qint64(instant * 1000.0)).time(), QLocale::ShortFormat);
}

} // namespace

AwayQuestionText question(const AwayQuestion& question, const QLocale& locale)
{
    const QString since = timeOfDay(question.since, locale);
    AwayQuestionText text;
    //: The title of the question asked when the user comes back to a running timer
    text.title = AppStrings::text(locale, Text::en("Time Away"));
    text.body = AppStrings::counted(
        locale, Text::plural("You were away for %n min (since %@)."), AwayRules::minutes(question), { since });
    //: A button: the time away counts, nothing changes
    text.keep = AppStrings::text(locale, Text::en("Keep"));
    //: A button: the time away is not tracked, the timer goes on from now
    text.discard = AppStrings::text(locale, Text::en("Discard"));
    //: A button: the entry ends when the user went away (a time of day), no timer runs
    text.stop = AppStrings::text(locale, Text::en("Stop at %@"), { since });
    text.keepHint = AppStrings::text(locale, Text::en("The time away counts; the timer goes on."));
    text.discardHint = AppStrings::text(
        locale, Text::en("The entry ends at %@ and a new one for the same project starts now."), { since });
    text.stopHint = AppStrings::text(locale, Text::en("The entry ends at %@ and the timer stops."), { since });
    return text;
}

QString answerLabel(const AwayQuestionText& text, AwayAnswer answer)
{
    switch (answer) {
    case AwayAnswer::keep:
        return text.keep;
    case AwayAnswer::discard:
        return text.discard;
    case AwayAnswer::stop:
        return text.stop;
    }
    return {};
}

} // namespace tivren::AwayTexts
