// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QUuid>

// The event id Tivren chooses for an entry in one calendar. Google refuses a second insert under an
// id it already has, so an insert that is sent twice (a lost answer, a retry) writes one event.
namespace tivren::GoogleEventId {

// RFC 4648 base32hex in lower case, without padding: the alphabet Google allows for event ids.
[[nodiscard]] QString base32Hex(const QByteArray& data);
// The same entry in the same calendar always gets the same id (52 characters).
[[nodiscard]] QString derive(const QUuid& entryID, const QString& calendarID);

} // namespace tivren::GoogleEventId
