// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QTextStream>

namespace tivren::TivrenCtl {

// The verbs that drive the running Tivren over the session bus: start, stop, toggle, skip,
// status (--json, --waybar), show, projects and away (keep, discard or stop). Returns the exit
// code: 0 done, 1 Tivren said no or is not running (status --waybar then prints an idle line and
// returns 0), 2 usage.
[[nodiscard]] int control(const QString& verb,
    const QStringList& args,
    QTextStream& out,
    QTextStream& err,
    QDBusConnection bus = QDBusConnection::sessionBus());

[[nodiscard]] bool isControlVerb(const QString& verb);

// Whether a call failed because Tivren is not running (nobody owns its bus name).
[[nodiscard]] bool notRunning(const QDBusMessage& reply);
// One line on stderr for a call Tivren refused or could not answer.
void printRefusal(const QDBusMessage& reply, QTextStream& err);

} // namespace tivren::TivrenCtl
