// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ControlCommand.h"

#include "core/ControlBus.h"
#include "core/away/AwayRules.h"
#include "ctl/PanelStatus.h"
#include "ctl/TerminalText.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace tivren::TivrenCtl {
namespace {

constexpr int callTimeoutMs = 5000;

// How `status` prints what Tivren answers.
enum class StatusForm
{
    line,
    json,
    waybar,
};

const QHash<QString, QString>& methods()
{
    static const QHash<QString, QString> methods { { u"start"_s, u"Start"_s },
        { u"toggle"_s, u"Toggle"_s },
        { u"stop"_s, u"Stop"_s },
        { u"skip"_s, u"Skip"_s },
        { u"status"_s, u"Status"_s },
        { u"show"_s, u"Show"_s },
        { u"projects"_s, u"Projects"_s },
        { u"away"_s, u"Away"_s } };
    return methods;
}

std::optional<StatusForm> statusForm(const QStringList& args)
{
    if (args.isEmpty())
        return StatusForm::line;
    if (args == QStringList { u"--json"_s })
        return StatusForm::json;
    if (args == QStringList { u"--waybar"_s })
        return StatusForm::waybar;
    return std::nullopt;
}

// One line for a refusal of the arguments; true when there was one.
bool refusedArguments(const QString& verb, const QStringList& args, QTextStream& err)
{
    if (verb == u"away"_s) {
        if (args.size() == 1 && awayAnswerFromRawValue(args.first()))
            return false;
        err << u"tivrenctl: away needs keep, discard or stop (see tivrenctl --help)\n"_s;
        return true;
    }
    const bool takesProject = verb == u"start"_s || verb == u"toggle"_s;
    if (takesProject && args.isEmpty()) {
        err << u"tivrenctl: %1 needs a project name or id (see tivrenctl --help)\n"_s.arg(verb);
        return true;
    }
    if (!takesProject && !args.isEmpty() && !(verb == u"status"_s && statusForm(args))) {
        err << u"tivrenctl: unexpected argument '%1' for %2 (see tivrenctl --help)\n"_s.arg(
            TerminalText::echoed(args.first()), verb);
        return true;
    }
    return false;
}

void printAnswer(const QString& verb, const QStringList& args, const QDBusMessage& reply, QTextStream& out)
{
    if (verb == u"projects"_s) {
        for (const QString& name : reply.arguments().value(0).toStringList()) {
            if (PanelStatus::fitsOnOneLine(name))
                out << name << u'\n';
        }
        return;
    }
    if (verb != u"status"_s)
        return;
    const QString text = reply.arguments().value(0).toString();
    const QJsonObject status = QJsonDocument::fromJson(text.toUtf8()).object();
    switch (*statusForm(args)) {
    case StatusForm::json:
        out << text << u'\n';
        break;
    case StatusForm::waybar:
        out << PanelStatus::waybarLine(status) << u'\n';
        break;
    case StatusForm::line:
        out << PanelStatus::statusLine(status) << u'\n';
        break;
    }
}

} // namespace

bool notRunning(const QDBusMessage& reply)
{
    const QString name = reply.errorName();
    return name == u"org.freedesktop.DBus.Error.ServiceUnknown"_s
        || name == u"org.freedesktop.DBus.Error.NameHasNoOwner"_s;
}

void printRefusal(const QDBusMessage& reply, QTextStream& err)
{
    // Tivren's refusals quote the project name they were given.
    const QString message = TerminalText::echoed(reply.errorMessage(), TerminalText::messageLimit);
    if (notRunning(reply))
        err << u"tivrenctl: Tivren is not running\n"_s;
    else if (reply.errorName().startsWith(QLatin1StringView(ControlBus::errorPrefix)))
        err << u"tivrenctl: "_s << message << u'\n';
    else
        err << u"tivrenctl: Tivren did not answer: "_s << message << u'\n';
}

bool isControlVerb(const QString& verb)
{
    return methods().contains(verb);
}

int control(const QString& verb, const QStringList& args, QTextStream& out, QTextStream& err, QDBusConnection bus)
{
    if (refusedArguments(verb, args, err))
        return 2;
    // A panel asks every second: a Tivren that is not running is a state to show, not an error.
    const bool forPanel = verb == u"status"_s && statusForm(args) == StatusForm::waybar;
    if (!bus.isConnected()) {
        if (forPanel) {
            out << PanelStatus::waybarLine(std::nullopt) << u'\n';
            return 0;
        }
        err << u"tivrenctl: no session bus, so Tivren cannot be reached\n"_s;
        return 1;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(ControlBus::serviceName),
        QString::fromLatin1(ControlBus::objectPath),
        QString::fromLatin1(ControlBus::interfaceName),
        methods().value(verb));
    if (verb == u"start"_s || verb == u"toggle"_s)
        call << args.join(u' ');
    if (verb == u"away"_s)
        call << args.first();
    const QDBusMessage reply = bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (forPanel && notRunning(reply)) {
            out << PanelStatus::waybarLine(std::nullopt) << u'\n';
            return 0;
        }
        printRefusal(reply, err);
        return 1;
    }
    printAnswer(verb, args, reply, out);
    return 0;
}

} // namespace tivren::TivrenCtl
