// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/PanelStatus.h"

#include "core/time/DurationFormat.h"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace tivren::PanelStatus {
namespace {

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

bool tracking(const QJsonObject& status)
{
    return status.value(u"tracking"_s).toBool();
}

QString elapsed(const QJsonObject& status)
{
    return formattedDuration(status.value(u"elapsedSeconds"_s).toDouble());
}

// "12:34": a phase lasts less than an hour.
QString phaseLeft(const QJsonObject& status)
{
    return formattedDuration(status.value(u"pomodoroRemainingSeconds"_s).toDouble()).mid(3);
}

QString panelClass(const QJsonObject& status)
{
    const QString phase = status.value(u"pomodoroPhase"_s).toString();
    if (phase == u"shortBreak"_s || phase == u"longBreak"_s)
        return u"break"_s;
    return tracking(status) ? u"tracking"_s : u"idle"_s;
}

QString tooltip(const QJsonObject& status)
{
    QString text = tracking(status)
        ? u"Tracking %1 for %2"_s.arg(status.value(u"project"_s).toString(), elapsed(status))
        : u"Not tracking"_s;
    if (status.contains(u"pomodoroPhase"_s)) {
        text +=
            u"\nPomodoro: %1, %2 left"_s.arg(phaseName(status.value(u"pomodoroPhase"_s).toString()), phaseLeft(status));
    }
    return text;
}

} // namespace

QString statusLine(const QJsonObject& status)
{
    QString line =
        tracking(status) ? status.value(u"project"_s).toString() + u' ' + elapsed(status) : u"Not tracking"_s;
    if (status.contains(u"pomodoroPhase"_s))
        line +=
            u" · "_s + phaseName(status.value(u"pomodoroPhase"_s).toString()) + u' ' + phaseLeft(status) + u" left"_s;
    return line;
}

QByteArray waybarLine(const std::optional<QJsonObject>& status)
{
    const QString kind = status ? panelClass(*status) : u"idle"_s;
    const QJsonObject line { { u"text"_s, status ? statusLine(*status).toHtmlEscaped() : u"Not running"_s },
        { u"tooltip"_s, status ? tooltip(*status).toHtmlEscaped() : u"Tivren is not running"_s },
        { u"class"_s, kind },
        { u"alt"_s, kind } };
    return QJsonDocument(line).toJson(QJsonDocument::Compact);
}

bool fitsOnOneLine(QStringView name)
{
    if (name.isEmpty())
        return false;
    for (const QChar c : name) {
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return false;
    }
    return true;
}

} // namespace tivren::PanelStatus
