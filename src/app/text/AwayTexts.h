// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/away/AwayRules.h"

#include <QLocale>
#include <QString>

namespace tivren {

// The question about time away as the dialog and the notification put it, in one language.
struct AwayQuestionText
{
    QString title;
    QString body; // "You were away for 23 min (since 14:05)."
    QString keep;
    QString discard;
    QString stop; // "Stop at 14:05"
    // What each answer does, for screen readers and tooltips.
    QString keepHint;
    QString discardHint;
    QString stopHint;

    bool operator==(const AwayQuestionText&) const = default;
};

namespace AwayTexts {

// The texts of the question; times of day in the local time zone, formatted for locale.
[[nodiscard]] AwayQuestionText question(const AwayQuestion& question, const QLocale& locale);
// The label of an answer's button.
[[nodiscard]] QString answerLabel(const AwayQuestionText& text, AwayAnswer answer);

} // namespace AwayTexts
} // namespace tivren
