// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/AutostartEntry.h"

#include "core/ApplicationId.h"

#include <QFileInfo>
#include <QList>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren::AutostartEntry {
namespace {

// A path in an Exec line: quoted when it holds anything the desktop entry format treats specially.
QString execArgument(const QString& path)
{
    static const QString special = u" \t\n\"'\\><~|&;$*?#()`"_s;
    const bool needsQuotes = std::any_of(path.cbegin(), path.cend(), [](QChar c) {
        return special.contains(c);
    });
    if (!needsQuotes)
        return path;
    QString escaped;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return u'"' + escaped + u'"';
}

// The value of key in the [Desktop Entry] group, trimmed; empty when it is not there.
QByteArray value(const QByteArray& entry, const QByteArray& key)
{
    bool inMainGroup = false;
    for (const QByteArray& rawLine : entry.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('['))
            inMainGroup = line == "[Desktop Entry]";
        else if (inMainGroup && line.startsWith(QByteArray(key + '=')))
            return line.mid(key.size() + 1).trimmed();
    }
    return {};
}

// The program an Exec value starts: its first argument, unquoted.
QString execTarget(const QByteArray& exec)
{
    const QString text = QString::fromUtf8(exec);
    if (!text.startsWith(u'"'))
        return text.section(u' ', 0, 0);
    QString program;
    for (qsizetype i = 1; i < text.size() && text[i] != u'"'; ++i) {
        if (text[i] == u'\\' && i + 1 < text.size())
            ++i;
        program += text[i];
    }
    return program;
}

} // namespace

QString execProgram(const QString& runningExecutable)
{
    const QFileInfo running(runningExecutable);
    const QString onPath = QStandardPaths::findExecutable(running.fileName());
    if (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == running.canonicalFilePath())
        return execArgument(running.fileName());
    return execArgument(running.absoluteFilePath());
}

QByteArray text(const QString& execProgram, bool enabled)
{
    // %% stands for a literal percent sign in Exec lines.
    const QString exec = QString(execProgram).replace(u'%', u"%%"_s);
    const QString state =
        enabled ? u"X-GNOME-Autostart-enabled=true\n"_s : u"Hidden=true\nX-GNOME-Autostart-enabled=false\n"_s;
    return (u"[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Tivren\n"
            "Comment=Time tracker for freelancers\n"
            "Exec="_s
        + exec + u"\nIcon="_s + ApplicationId::name() + u"\nTerminal=false\n"_s + state)
        .toUtf8();
}

bool isEnabled(const QByteArray& entry)
{
    return value(entry, "Hidden") != "true" && value(entry, "X-GNOME-Autostart-enabled") != "false";
}

bool isTivrens(const QByteArray& entry)
{
    return QFileInfo(execTarget(value(entry, "Exec"))).fileName() == u"tivren"_s;
}

} // namespace tivren::AutostartEntry
