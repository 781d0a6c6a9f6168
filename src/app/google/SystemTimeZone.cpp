// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/google/SystemTimeZone.h"

#include <QFileInfo>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace tivren::SystemTimeZone {
namespace {

// "/usr/share/zoneinfo/Europe/Amsterdam" (or its posix/ and right/ twins) names Europe/Amsterdam.
QByteArray zoneFromPath(const QString& path)
{
    static constexpr QLatin1StringView folder = "/zoneinfo/"_L1;
    const qsizetype at = path.lastIndexOf(folder);
    if (at < 0)
        return {};
    QString name = path.mid(at + folder.size());
    for (const QLatin1StringView variant : { "posix/"_L1, "right/"_L1 }) {
        if (name.startsWith(variant))
            name.remove(0, variant.size());
    }
    return name.toUtf8();
}

std::optional<QString> known(const QByteArray& id, const QList<QByteArray>& knownIDs)
{
    if (id.isEmpty() || !knownIDs.contains(id))
        return std::nullopt;
    return QString::fromUtf8(id);
}

} // namespace

std::optional<QString> ianaName(const Facts& facts, const QList<QByteArray>& knownIDs)
{
    if (facts.tzVariable) {
        // ":Europe/Amsterdam", "Europe/Amsterdam" or a zone file's path; anything else is a rule.
        QByteArray id = facts.tzVariable->startsWith(':') ? facts.tzVariable->mid(1) : *facts.tzVariable;
        if (id.startsWith('/'))
            id = zoneFromPath(QString::fromUtf8(id));
        return known(id, knownIDs);
    }
    if (auto system = known(facts.systemID, knownIDs))
        return system;
    return known(zoneFromPath(facts.localtimeTarget), knownIDs);
}

std::optional<QString> ianaName()
{
    Facts facts;
    if (qEnvironmentVariableIsSet("TZ"))
        facts.tzVariable = qgetenv("TZ");
    facts.systemID = QTimeZone::systemTimeZoneId();
    facts.localtimeTarget = QFileInfo(u"/etc/localtime"_s).symLinkTarget();
    return ianaName(facts, QTimeZone::availableTimeZoneIds());
}

} // namespace tivren::SystemTimeZone
