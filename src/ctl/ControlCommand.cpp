// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ControlCommand.h"

#include "core/ControlBus.h"
#include "core/time/DurationFormat.h"
#include "ctl/TerminalText.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace tivren::TivrenCtl {
namespace {

constexpr int callTimeoutMs = 5000;

// The running program's name for a phase, in English: panels show what scripts print.
QString phaseName(const QString& raw)
{
    if (raw == u"work"_s)
        return u"Work"_s;
    if (raw == u"shortBreak"_s)
        return u"Short break"_s;
    if (raw == u"longBreak"_s)
        return u"Long break"_s;
    return raw;
}

// One line for a panel: "Acme 01:02:03 · Work 12:34 left", or "Not tracking".
QString statusLine(const QJsonObject& status)
{
    QString line = status.value(u"tracking"_s).toBool()
        ? status.value(u"project"_s).toString() + u' ' + formattedDuration(status.value(u"elapsedSeconds"_s).toDouble())
        : u"Not tracking"_s;
    if (status.contains(u"pomodoroPhase"_s)) {
        line += u" · "_s + phaseName(status.value(u"pomodoroPhase"_s).toString()) + u' '
            + formattedDuration(status.value(u"pomodoroRemainingSeconds"_s).toDouble()).mid(3) + u" left"_s;
    }
    return line;
}

} // namespace

bool isControlVerb(const QString& verb)
{
    static const QStringList verbs { u"start"_s, u"stop"_s, u"toggle"_s, u"skip"_s, u"status"_s, u"show"_s };
    return verbs.contains(verb);
}

int control(const QString& verb, const QStringList& args, QTextStream& out, QTextStream& err, QDBusConnection bus)
{
    const bool takesProject = verb == u"start"_s || verb == u"toggle"_s;
    const bool json = verb == u"status"_s && args == QStringList { u"--json"_s };
    if ((takesProject && args.isEmpty()) || (!takesProject && !args.isEmpty() && !json)) {
        err << (takesProject ? u"tivrenctl: %1 needs a project name or id (see tivrenctl --help)\n"_s.arg(verb)
                             : u"tivrenctl: unexpected argument '%1' for %2 (see tivrenctl --help)\n"_s.arg(
                                 TerminalText::echoed(args.first()), verb));
        return 2;
    }
    if (!bus.isConnected()) {
        err << u"tivrenctl: no session bus, so Tivren cannot be reached\n"_s;
        return 1;
    }
    static const QHash<QString, QString> methods { { u"start"_s, u"Start"_s },
        { u"toggle"_s, u"Toggle"_s },
        { u"stop"_s, u"Stop"_s },
        { u"skip"_s, u"Skip"_s },
        { u"status"_s, u"Status"_s },
        { u"show"_s, u"Show"_s } };
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(ControlBus::serviceName),
        QString::fromLatin1(ControlBus::objectPath),
        QString::fromLatin1(ControlBus::interfaceName),
        methods.value(verb));
    if (takesProject)
        call << args.join(u' ');
    const QDBusMessage reply = bus.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QString name = reply.errorName();
        // Tivren's refusals quote the project name they were given.
        const QString message = TerminalText::echoed(reply.errorMessage(), TerminalText::messageLimit);
        if (name == u"org.freedesktop.DBus.Error.ServiceUnknown"_s
            || name == u"org.freedesktop.DBus.Error.NameHasNoOwner"_s)
            err << u"tivrenctl: Tivren is not running\n"_s;
        else if (name.startsWith(QLatin1StringView(ControlBus::errorPrefix)))
            err << u"tivrenctl: "_s << message << u'\n';
        else
            err << u"tivrenctl: Tivren did not answer: "_s << message << u'\n';
        return 1;
    }
    if (verb == u"status"_s) {
        const QString text = reply.arguments().value(0).toString();
        out << (json ? text : statusLine(QJsonDocument::fromJson(text.toUtf8()).object())) << u'\n';
    }
    return 0;
}

} // namespace tivren::TivrenCtl
