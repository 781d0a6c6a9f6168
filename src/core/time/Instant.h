// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringView>

#include <optional>

namespace tivren {

// Instants are seconds since 1970-01-01T00:00:00Z; durations are seconds. Both are plain doubles.
using Instant = double;
using Seconds = double;

// A closed range of instants, lower <= upper.
struct InstantRange
{
    Instant lower = 0;
    Instant upper = 0;

    bool operator==(const InstantRange&) const = default;
};

// The internet date-time form used in the data file and the CSV export: whole seconds,
// "Z" on write; "Z" or a numeric offset ("+01:00") on read. No fractions, no zone-less times.
namespace Iso8601 {

[[nodiscard]] std::optional<Instant> parse(QStringView text);
[[nodiscard]] std::optional<Instant> parse(QByteArrayView text);

// Writes the 20 characters of e.g. 2025-03-14T09:30:00Z at out and returns the end, or nullptr for
// instants that cannot be written (see append()).
[[nodiscard]] char* write(char* out, Instant instant);

// Appends e.g. 2025-03-14T09:30:00Z, dropping any fraction of a second (floor). Returns false for
// instants outside the years 0001-9999 or not finite; nothing is appended then.
[[nodiscard]] bool append(QByteArray& out, Instant instant);

// Formatted text, or an empty string for an instant that cannot be written.
[[nodiscard]] QString format(Instant instant);

} // namespace Iso8601
} // namespace tivren
