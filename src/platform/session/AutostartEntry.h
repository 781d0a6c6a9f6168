// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The text of Tivren's XDG autostart entry, and what an existing entry says.
namespace tivren::AutostartEntry {

// The Exec program: plain "tivren" when the running executable is the one PATH finds under its
// name (an installed Tivren keeps starting after an update moves nothing), otherwise the
// absolute path (a build folder); quoted as the desktop entry format wants.
[[nodiscard]] QString execProgram(const QString& runningExecutable);

// The whole entry; a switched-off one stays in place marked so, as the desktops' startup settings
// leave it.
[[nodiscard]] QByteArray text(const QString& execProgram, bool enabled);

// Whether the entry starts at login: not when the desktop hid it or switched it off.
[[nodiscard]] bool isEnabled(const QByteArray& entry);

// Whether Tivren wrote it: its Exec line starts a program called tivren. A file of the user's
// own under the same name starts something else.
[[nodiscard]] bool isTivrens(const QByteArray& entry);

} // namespace tivren::AutostartEntry
