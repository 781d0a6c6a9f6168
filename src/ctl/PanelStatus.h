// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringView>

#include <optional>

// What tivrenctl prints for panels and pickers, from the running Tivren's answers.
namespace tivren::PanelStatus {

// One line for a panel: "Acme 01:02:03 · Work 12:34 left", or "Not tracking". `status` is the
// control bus's Status() JSON.
[[nodiscard]] QString statusLine(const QJsonObject& status);

// One line of JSON for waybar's custom module (return-type json): text, tooltip (Pango markup, so
// a project's "&" or "<" is escaped), and class and alt, each idle, tracking or break. Without a
// status (Tivren is not running) it still is a valid line, of class idle.
[[nodiscard]] QByteArray waybarLine(const std::optional<QJsonObject>& status);

// Whether a project name can be listed one per line: no line break or other control character
// that would split it or change what a picker shows.
[[nodiscard]] bool fitsOnOneLine(QStringView name);

} // namespace tivren::PanelStatus
