// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchData.h"

#include <QDate>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace tivren::bench {

AppSnapshot generateSnapshot(int entryCount)
{
    QRandomGenerator random(static_cast<quint32>(entryCount));
    AppSnapshot s;
    const auto strategies = allBillingRoundingStrategies();
    const auto colors = projectColorNames();
    for (int i = 0; i < 50; ++i) {
        std::optional<double> rate;
        if (i % 7 != 0)
            rate = 40 + random.bounded(120);
        s.projects.append(Project(QUuid::createUuid(),
            u"Client %1 – project %2"_s.arg(i / 3).arg(i),
            rate,
            QList<int> { 1, 6, 15, 30, 60 }[i % 5],
            strategies[i % strategies.size()],
            colors[i % colors.size()],
            i % 11 == 0,
            1500000000));
    }
    const QStringList notes = { QString(),
        QString(),
        u"Call with the client"_s,
        u"Fixing the \"export\" bug"_s,
        u"Review, planning\nand notes"_s,
        u"Ontwerp €-bedragen — überprüft"_s };

    QDate day(2026, 12, 1);
    const QTimeZone utc = QTimeZone::utc();
    while (s.entries.size() < entryCount) {
        day = day.addDays(-1);
        if (day.dayOfWeek() > 5)
            continue;
        Instant start = QDateTime(day, QTime(8, 0), utc).toSecsSinceEpoch();
        for (int k = 0; k < 20 && s.entries.size() < entryCount; ++k) {
            const Seconds length = 5 * 60 + random.bounded(25 * 60);
            const Project& project = s.projects[random.bounded(s.projects.size())];
            s.entries.append(TimeEntry {
                QUuid::createUuid(), project.id, start, start + length, notes[random.bounded(notes.size())] });
            start += length + 60;
        }
    }
    for (qsizetype i = 0; i < s.entries.size(); i += 10) {
        const TimeEntry& e = s.entries[i];
        if (i % 20 == 0)
            s.googleCalendarEventLinks.append(
                { QUuid::createUuid(), e.id, u"primary"_s, u"evt%1"_s.arg(i), e.endDate + 60 });
        else
            s.appleCalendarEventLinks.append({ QUuid::createUuid(),
                e.id,
                u"5b7f9d52-personal"_s,
                QUuid::createUuid().toString(QUuid::WithoutBraces),
                e.endDate + 60 });
    }
    s.settings.currencyCode = u"EUR"_s;
    return s;
}

InstantRange monthInTheMiddle(const AppSnapshot& snapshot)
{
    const TimeEntry& middle = snapshot.entries[snapshot.entries.size() / 2];
    const QDate date = QDateTime::fromSecsSinceEpoch(qint64(middle.startDate), QTimeZone::utc()).date();
    const QDate first(date.year(), date.month(), 1);
    const QTimeZone utc = QTimeZone::utc();
    return { Instant(QDateTime(first, QTime(0, 0), utc).toSecsSinceEpoch()),
        Instant(QDateTime(first.addMonths(1).addDays(-1), QTime(23, 59, 59), utc).toSecsSinceEpoch()) };
}

} // namespace tivren::bench
