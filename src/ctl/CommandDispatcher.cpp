// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/CommandDispatcher.h"

#include "core/datafile/TivrenRepository.h"
#include "ctl/ControlCommand.h"
#include "ctl/ImportCommand.h"
#include "ctl/ReportCommand.h"
#include "ctl/TerminalText.h"

#include <QCommandLineParser>

#include <functional>

using namespace Qt::StringLiterals;

namespace tivren::TivrenCtl {
namespace {

const auto usageText = uR"help(Usage:
  tivrenctl report --from A --to B [--csv] [--data FILE]
  tivrenctl start PROJECT | toggle PROJECT | stop | skip | show | projects
  tivrenctl status [--json | --waybar]
  tivrenctl import [--yes] FILE
  tivrenctl away keep | discard | stop
  tivrenctl --help | --version

Commands:
  report   Print the billing of every project for a range of time: actual hours,
           billed hours (after each project's rounding rule) and the amount.
  start    Start tracking PROJECT (its id, its name, or the unambiguous start of its
           name, ignoring case) in the running Tivren; a running timer switches to it.
  toggle   Start PROJECT, or stop it when it is the one being tracked.
  stop     Stop the timer (and the Pomodoro cycle).
  skip     End the current Pomodoro phase now.
  show     Open Tivren's main window.
  projects The names of the active projects, one per line, in Tivren's order, for
           pickers: tivrenctl start "$(tivrenctl projects | rofi -dmenu)". A name
           holding a line break or another control character is left out (it
           could not be picked from a line); start that project by its id.
  status   One line for panels such as waybar or polybar: the tracked project and its
           elapsed time, and the Pomodoro phase with the time left. With --json:
           {"tracking", "project", "projectID", "elapsedSeconds", "pomodoroPhase",
           "pomodoroRemainingSeconds", "away": {"since", "minutes"}} ("away" while
           Tivren asks about time away). With --waybar: one line of JSON for waybar's
           custom module, {"text", "tooltip", "class", "alt"}, class and alt being
           idle, tracking or break, text and tooltip Pango markup; when Tivren is not
           running it says so in that line (class idle) and exits with status 0.
  import   Bring history from another tracker: FILE is a Toggl Track or Clockify
           detailed CSV export, a Timewarrior export (timew export) or Watson's
           frames file, recognised from its content ("-" reads standard input).
           Prints what Tivren would add (projects to create, entries, exact
           duplicates it leaves out, rejected records and why) and changes nothing;
           with --yes it adds them, in one save. Local times are read in your time
           zone; importing the same file again adds nothing.
  away     Answer Tivren's question about time away from a running timer (asked
           when you come back after longer than the threshold set in Tivren):
           keep counts the time; discard ends the entry when you went idle and
           starts a new one for the same project now; stop ends the entry when you
           went idle, with no timer running. Discard and stop end the Pomodoro
           cycle. Exits with status 1 when no question is open.

           These commands talk to the running Tivren over the session bus, so the data
           file keeps a single writer; they fail when Tivren is not running (but for
           status --waybar).

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

Options of status:
  --json       The state as JSON, for scripts.
  --waybar     The state as waybar's JSON (see status above).

Options of import:
  --yes        Import; without it, only show what importing would add.

  -h, --help   Show this help.
  --version    Show tivrenctl's version.
)help"_s;

QString helpText()
{
    return usageText.arg(TivrenRepository::defaultFileURL());
}

// The first argument, as typed, that is an option whose name (without dashes and "=value")
// passes `wanted`.
std::optional<QString> typedOption(const QStringList& args, const std::function<bool(QStringView)>& wanted)
{
    for (const QString& arg : args) {
        if (!arg.startsWith(u'-') || arg == u"-"_s)
            continue;
        QStringView name = QStringView(arg).sliced(arg.startsWith(u"--"_s) ? 2 : 1);
        if (const qsizetype equals = name.indexOf(u'='); equals >= 0)
            name = name.first(equals);
        if (wanted(name))
            return arg;
    }
    return std::nullopt;
}

int unknownOption(QTextStream& err, const QString& typed)
{
    err << u"tivrenctl: unknown option '%1' (see tivrenctl --help)\n"_s.arg(TerminalText::echoed(typed));
    return ExitCode::usage;
}

// One line for what QCommandLineParser refused, naming the option as it was typed.
int refusedReportOptions(QTextStream& err, const QCommandLineParser& parser, const QStringList& args)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const auto typed = typedOption(args, [&](QStringView name) {
            return name == unknown.first();
        });
        return unknownOption(err, typed.value_or((unknown.first().size() == 1 ? u"-"_s : u"--"_s) + unknown.first()));
    }
    // Only the last argument can lack its value; anything else is a value given to a flag (--csv=1).
    const QString last = args.value(args.size() - 1);
    if (last == u"--from"_s || last == u"--to"_s || last == u"--data"_s) {
        err << u"tivrenctl: %1 needs a value (see tivrenctl --help)\n"_s.arg(last);
        return ExitCode::usage;
    }
    const auto typed = typedOption(args, [](QStringView name) {
        return name == u"csv"_s || name == u"help"_s || name == u"h"_s;
    });
    return unknownOption(err, typed.value_or(parser.errorText()));
}

int reportCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    const QCommandLineOption from(u"from"_s, QString(), u"A"_s);
    const QCommandLineOption to(u"to"_s, QString(), u"B"_s);
    const QCommandLineOption data(u"data"_s, QString(), u"FILE"_s, TivrenRepository::defaultFileURL());
    const QCommandLineOption csv(u"csv"_s);
    const QCommandLineOption help(QStringList { u"h"_s, u"help"_s });
    parser.addOptions({ from, to, data, csv, help });
    if (!parser.parse(QStringList { u"tivrenctl"_s } + args))
        return refusedReportOptions(err, parser, args);
    if (parser.isSet(help)) {
        out << helpText();
        return ExitCode::ok;
    }
    if (!parser.positionalArguments().isEmpty())
        return unknownOption(err, parser.positionalArguments().first());
    if (!parser.isSet(from) || !parser.isSet(to)) {
        err << u"tivrenctl: report needs both --from and --to (see tivrenctl --help)\n"_s;
        return ExitCode::usage;
    }
    return report(
        ReportRequest { parser.value(from), parser.value(to), parser.value(data), parser.isSet(csv) }, out, err);
}

} // namespace

int run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const QStringList args = arguments.mid(1);
    if (args.isEmpty()) {
        err << u"tivrenctl: no command given (see tivrenctl --help)\n"_s;
        return ExitCode::usage;
    }
    if (args.first() == u"--help"_s || args.first() == u"-h"_s || args.first() == u"help"_s) {
        out << helpText();
        return ExitCode::ok;
    }
    if (args.first() == u"--version"_s) {
        out << u"tivrenctl " TIVREN_VERSION "\n"_s;
        return ExitCode::ok;
    }
    if (args.first() == u"report"_s)
        return reportCommand(args.mid(1), out, err);
    if (args.first() == u"import"_s)
        return importCommand(args.mid(1), out, err);
    if (isControlVerb(args.first()))
        return control(args.first(), args.mid(1), out, err);
    err << u"tivrenctl: unknown command '%1' (see tivrenctl --help)\n"_s.arg(TerminalText::echoed(args.first()));
    return ExitCode::usage;
}

} // namespace tivren::TivrenCtl
