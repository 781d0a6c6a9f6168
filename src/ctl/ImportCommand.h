// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

namespace tivren::TivrenCtl {

// `import [--yes] FILE`: hands another tracker's export to the running Tivren, which reads it and
// answers what it would add (printed; nothing changes) or, with --yes, adds it in one save.
// Exit code 0 done, 1 refused (unreadable file, Tivren not running or not saving), 2 usage.
[[nodiscard]] int importCommand(
    const QStringList& args, QTextStream& out, QTextStream& err, QDBusConnection bus = QDBusConnection::sessionBus());

// The lines printed for the running Tivren's Import() answer.
[[nodiscard]] QString importSummary(const QJsonObject& preview);

} // namespace tivren::TivrenCtl
