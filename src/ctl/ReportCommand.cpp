// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ReportCommand.h"

#include "core/billing/BillingEngine.h"
#include "core/datafile/TivrenRepository.h"
#include "core/time/LocalCalendar.h"
#include "ctl/CommandDispatcher.h"
#include "ctl/TerminalText.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <optional>

using namespace Qt::StringLiterals;

namespace tivren::TivrenCtl {
namespace {

enum class Bound
{
    lower,
    upper,
};

std::optional<Instant> parseBound(const QString& text, Bound bound)
{
    static const QRegularExpression dateOnly(u"^\\d{4}-\\d{2}-\\d{2}$"_s);
    if (dateOnly.match(text).hasMatch()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        return bound == Bound::lower ? LocalCalendar::startOfDay(date) : LocalCalendar::lastSecondOfDay(date);
    }
    return Iso8601::parse(QStringView(text));
}

using BillingEngine::formatFixed2;
using TerminalText::echoed;

void printTable(QTextStream& out, const AppSnapshot& snapshot, const InstantRange& range)
{
    const auto rows = BillingEngine::summaries(snapshot.entries, snapshot.projects, range);
    const QString amountTitle = u"Amount (%1)"_s.arg(snapshot.settings.currencyCode);
    qsizetype nameWidth = QStringLiteral("Project").size();
    for (const auto& row : rows)
        nameWidth = std::max(nameWidth, row.project.name.size());
    const qsizetype amountWidth = std::max<qsizetype>(amountTitle.size(), 12);

    auto line = [&](const QString& name, const QString& actual, const QString& billed, const QString& amount) {
        out << name.leftJustified(nameWidth) << u"  "_s << actual.rightJustified(12) << u"  "_s
            << billed.rightJustified(12) << u"  "_s << amount.rightJustified(amountWidth) << u'\n';
    };

    const auto local = [](Instant instant) {
        return QDateTime::fromSecsSinceEpoch(qint64(instant)).toString(u"yyyy-MM-dd HH:mm:ss t"_s);
    };
    out << u"Billing from "_s << local(range.lower) << u" to "_s << local(range.upper) << u"\n\n"_s;
    line(u"Project"_s, u"Actual hours"_s, u"Billed hours"_s, amountTitle);
    double actualTotal = 0, billedTotal = 0, amountTotal = 0;
    for (const auto& row : rows) {
        line(row.project.name,
            formatFixed2(row.actualDuration / 3600.0),
            formatFixed2(row.duration / 3600.0),
            row.project.hourlyRate ? formatFixed2(row.amount) : u"-"_s);
        actualTotal += row.actualDuration;
        billedTotal += row.duration;
        amountTotal += row.amount;
    }
    if (rows.isEmpty())
        out << u"(no billable entries in this range)\n"_s;
    line(u"Total"_s, formatFixed2(actualTotal / 3600.0), formatFixed2(billedTotal / 3600.0), formatFixed2(amountTotal));
    const Seconds unassigned = BillingEngine::totalDuration(snapshot.entries, range) - actualTotal;
    if (unassigned > 0.5) {
        out << u"\nNot billed: %1 hours of entries whose project no longer exists.\n"_s.arg(
            formatFixed2(unassigned / 3600.0));
    }
}

} // namespace

int report(const ReportRequest& request, QTextStream& out, QTextStream& err)
{
    const auto lower = parseBound(request.from, Bound::lower);
    const auto upper = parseBound(request.to, Bound::upper);
    for (const auto& [text, parsed] : { std::pair { request.from, lower }, std::pair { request.to, upper } }) {
        if (!parsed) {
            err << u"tivrenctl: '%1' is neither a date YYYY-MM-DD nor an ISO 8601 instant such as "
                   "2026-03-01T08:00:00Z\n"_s.arg(echoed(text));
            return ExitCode::usage;
        }
    }
    if (*lower > *upper) {
        err << u"tivrenctl: --from (%1) is after --to (%2)\n"_s.arg(echoed(request.from), echoed(request.to));
        return ExitCode::usage;
    }

    const LoadResult loaded = TivrenRepository::readFile(request.dataFile);
    if (!loaded) {
        err << u"tivrenctl: cannot read %1: %2\n"_s.arg(
            echoed(request.dataFile), echoed(loaded.error().description, TerminalText::messageLimit));
        return ExitCode::dataError;
    }
    AppSnapshot snapshot = *loaded;
    // Bill exactly what Tivren shows: it drops entries that do not end after they start when it loads.
    snapshot.entries.removeIf([](const TimeEntry& entry) {
        return !entry.isValid();
    });
    const InstantRange range { *lower, *upper };
    if (request.csv)
        out << BillingEngine::exportCSV(snapshot.entries, snapshot.projects, range);
    else
        printTable(out, snapshot, range);
    return ExitCode::ok;
}

} // namespace tivren::TivrenCtl
