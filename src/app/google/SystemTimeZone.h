// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The system's time zone as an IANA name ("Europe/Amsterdam"), for others that understand only
// those. A POSIX rule in TZ ("CET-1CEST,M3.5.0,M10.5.0/3") or a copied /etc/localtime has no name.
namespace tivren::SystemTimeZone {

// What the system says about its zone.
struct Facts
{
    std::optional<QByteArray> tzVariable; // TZ, when set
    QByteArray systemID; // QTimeZone::systemTimeZoneId()
    QString localtimeTarget; // where /etc/localtime links to; empty when it is no link
};

// The IANA name the facts give, only when it is one of the known ones. TZ, when set, decides
// alone: /etc/localtime then says nothing about this process's zone.
[[nodiscard]] std::optional<QString> ianaName(const Facts& facts, const QList<QByteArray>& knownIDs);
// The same for this process; reads the disk, so keep it off the user-interface thread.
[[nodiscard]] std::optional<QString> ianaName();

} // namespace tivren::SystemTimeZone
