#pragma once

// The calendars and export drafts that the export sheet's tests are built from.
#include "app/calendar/AppleCalendarServicing.h"
#include "app/calendar/CalendarExportDraft.h"
#include "app/google/GoogleCalendarServicing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QStringList>
#include <QTest>
#include <QUuid>

namespace tivren::testing {

inline const QList<GoogleCalendarListItem> exportGoogleCalendars {
    { QStringLiteral("work"), QStringLiteral("Work"), false },
    { QStringLiteral("me"), QStringLiteral("ada@example.com"), true },
    { QStringLiteral("family"), QStringLiteral("Family"), false },
};
inline const QList<AppleCalendarListItem> exportAppleCalendars {
    { QStringLiteral("home"), QStringLiteral("Home"), QStringLiteral("iCloud") },
    { QStringLiteral("work"), QStringLiteral("Work"), QStringLiteral("Work") },
    { QStringLiteral("local"), QStringLiteral("Personal"), QStringLiteral("On This Computer") },
};

// One card per comma-separated item: "[x] work" is a selected project going to "work", "[ ] -" an
// unticked one without a calendar.
template <typename Draft> Draft exportDraftOf(const QString& cards)
{
    const QStringList names { QStringLiteral("Acme Corporation"),
        QStringLiteral("Globex Website Redesign"),
        QStringLiteral("Initech"),
        QStringLiteral("Umbrella R&D") };
    const QStringList selections = cards.split(u',');
    Draft draft { QUuid::createUuid(), {} };
    for (qsizetype i = 0; i < selections.size(); ++i) {
        const QString calendar = selections[i].mid(4);
        draft.projectSelections.append({ QUuid::createUuid(),
            names.value(i, QStringLiteral("Project %1").arg(i)),
            QList { 1, 14, 3, 7 }.value(i, 2), // entries in range: the singular and plural both shown
            selections[i].startsWith(QStringLiteral("[x]")),
            calendar == QStringLiteral("-") ? std::nullopt : std::optional(calendar) });
    }
    return draft;
}

// The sheet's project cards, and their check boxes and calendar pickers.
inline QList<QFrame*> exportCards(const QWidget& sheet)
{
    return sheet.findChildren<QFrame*>(QStringLiteral("projectCardFrame"));
}
inline QCheckBox* exportCheckBox(const QWidget& sheet, qsizetype card)
{
    return exportCards(sheet).at(card)->findChild<QCheckBox*>(QStringLiteral("projectCheckBox"));
}
inline QComboBox* exportPicker(const QWidget& sheet, qsizetype card)
{
    return exportCards(sheet).at(card)->findChild<QComboBox*>(QStringLiteral("calendarComboBox"));
}

// What each card's picker shows, as the user reads it.
inline QStringList exportChoices(const QWidget& sheet)
{
    QStringList result;
    for (qsizetype i = 0; i < exportCards(sheet).size(); ++i) {
        const QComboBox* picker = exportPicker(sheet, i);
        result << picker->currentText() + (picker->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
    }
    return result;
}

// Picks an item the way a keyboard user does, so only what a user can reach counts.
inline void chooseByKeyboard(QComboBox* combo, int item)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

} // namespace tivren::testing
