// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringView>
#include <QUuid>

#include <optional>

namespace tivren::UuidText {

// Accepts only the canonical 36-character hyphenated form (either case); no braces, no URN.
[[nodiscard]] std::optional<QUuid> parse(QByteArrayView text);
[[nodiscard]] std::optional<QUuid> parse(QStringView text);

// Canonical upper-case form, the way identifiers are written to files. writeUpper() writes the
// 36 characters at out and returns the end.
char* writeUpper(char* out, const QUuid& uuid);
void appendUpper(QByteArray& out, const QUuid& uuid);
[[nodiscard]] QString upper(const QUuid& uuid);

} // namespace tivren::UuidText
