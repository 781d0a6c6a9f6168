#include "ctl/ReportCommand.h"

#include "core/billing/BillingEngine.h"
#include "core/datafile/TivrenRepository.h"
#include "core/time/LocalCalendar.h"
#include "ctl/ControlCommand.h"
#include "ctl/TerminalText.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <optional>

using namespace Qt::StringLiterals;

namespace tivren::TivrenCtl {
namespace {

constexpr int exitOk = 0;
constexpr int exitDataError = 1;
constexpr int exitUsage = 2;

const auto usageText = uR"(Usage:
  tivrenctl report --from A --to B [--csv] [--data FILE]
  tivrenctl start PROJECT | toggle PROJECT | stop | skip | show
  tivrenctl status [--json]
  tivrenctl --help

Commands:
  report   Print the billing of every project for a range of time: actual hours,
           billed hours (after each project's rounding rule) and the amount.
  start    Start tracking PROJECT (its id, its name, or the unambiguous start of its
           name, ignoring case) in the running Tivren; a running timer switches to it.
  toggle   Start PROJECT, or stop it when it is the one being tracked.
  stop     Stop the timer (and the Pomodoro cycle).
  skip     End the current Pomodoro phase now.
  show     Open Tivren's main window.
  status   One line for panels such as waybar or polybar: the tracked project and its
           elapsed time, and the Pomodoro phase with the time left. With --json:
           {"tracking", "project", "projectID", "elapsedSeconds", "pomodoroPhase",
           "pomodoroRemainingSeconds"}.
           These commands talk to the running Tivren over the session bus, so the data
           file keeps a single writer; they fail when Tivren is not running.

Options of report:
  --from A     Start of the range: a local date YYYY-MM-DD (its first second) or an
               exact ISO 8601 instant such as 2026-03-01T08:00:00Z or
               2026-03-01T09:00:00+01:00.
  --to B       End of the range, included: a local date YYYY-MM-DD (up to 23:59:59
               of that day) or an exact ISO 8601 instant.
  --csv        Print the invoice CSV of the entries in the range instead of the table:
               Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes
  --data FILE  The data file to read (default: %1).
               It is only read, never written; a missing file reads as empty.
  -h, --help   Show this help.
)"_s;

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

int report(const QStringList& args, QTextStream& out, QTextStream& err)
{
    std::optional<QString> from, to;
    QString dataFile = TivrenRepository::defaultFileURL();
    bool csv = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        auto valueOf = [&](QString& target) {
            if (i + 1 >= args.size()) {
                err << u"tivrenctl: %1 needs a value (see tivrenctl --help)\n"_s.arg(arg);
                return false;
            }
            target = args[++i];
            return true;
        };
        QString value;
        if (arg == u"--from"_s) {
            if (!valueOf(value))
                return exitUsage;
            from = value;
        } else if (arg == u"--to"_s) {
            if (!valueOf(value))
                return exitUsage;
            to = value;
        } else if (arg == u"--data"_s) {
            if (!valueOf(dataFile))
                return exitUsage;
        } else if (arg == u"--csv"_s) {
            csv = true;
        } else if (arg == u"--help"_s || arg == u"-h"_s) {
            out << usageText.arg(TivrenRepository::defaultFileURL());
            return exitOk;
        } else {
            err << u"tivrenctl: unknown option '%1' (see tivrenctl --help)\n"_s.arg(echoed(arg));
            return exitUsage;
        }
    }
    if (!from || !to) {
        err << u"tivrenctl: report needs both --from and --to (see tivrenctl --help)\n"_s;
        return exitUsage;
    }
    const auto lower = parseBound(*from, Bound::lower);
    const auto upper = parseBound(*to, Bound::upper);
    for (const auto& [text, parsed] : { std::pair { *from, lower }, std::pair { *to, upper } }) {
        if (!parsed) {
            err << u"tivrenctl: '%1' is neither a date YYYY-MM-DD nor an ISO 8601 instant such as "
                   "2026-03-01T08:00:00Z\n"_s.arg(echoed(text));
            return exitUsage;
        }
    }
    if (*lower > *upper) {
        err << u"tivrenctl: --from (%1) is after --to (%2)\n"_s.arg(echoed(*from), echoed(*to));
        return exitUsage;
    }

    const LoadResult loaded = TivrenRepository::readFile(dataFile);
    if (!loaded) {
        err << u"tivrenctl: cannot read %1: %2\n"_s.arg(
            echoed(dataFile), echoed(loaded.error().description, TerminalText::messageLimit));
        return exitDataError;
    }
    AppSnapshot snapshot = *loaded;
    // Bill exactly what Tivren shows: it drops entries that do not end after they start when it loads.
    snapshot.entries.removeIf([](const TimeEntry& entry) {
        return !entry.isValid();
    });
    const InstantRange range { *lower, *upper };
    if (csv)
        out << BillingEngine::exportCSV(snapshot.entries, snapshot.projects, range);
    else
        printTable(out, snapshot, range);
    return exitOk;
}

} // namespace

int run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QStringList args = arguments.mid(1);
    if (args.isEmpty()) {
        err << u"tivrenctl: no command given (see tivrenctl --help)\n"_s;
        return exitUsage;
    }
    if (args.first() == u"--help"_s || args.first() == u"-h"_s || args.first() == u"help"_s) {
        out << usageText.arg(TivrenRepository::defaultFileURL());
        return exitOk;
    }
    if (args.first() == u"report"_s)
        return report(args.mid(1), out, err);
    if (isControlVerb(args.first()))
        return control(args.first(), args.mid(1), out, err);
    err << u"tivrenctl: unknown command '%1' (see tivrenctl --help)\n"_s.arg(echoed(args.first()));
    return exitUsage;
}

} // namespace tivren::TivrenCtl
