// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "core/import/ImportReason.h"
#include "core/time/Instant.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace tivren::LocalTimes {

// How a file writes its dates.
enum class DateOrder
{
    yearMonthDay, // 2026-03-14
    monthDayYear, // 03/14/2026
    dayMonthYear, // 14/03/2026
};

// A date as the order has it; nothing when it is not a real date.
[[nodiscard]] std::optional<QDate> date(const QString& text, DateOrder order);

// The order a set of slash dates ("03/04/2026") is written in, decided by the values themselves
// (a first number above 12 is a day, a second one above 12 is a day). Nothing when the values
// allow both orders and some of them would differ, or contradict each other.
[[nodiscard]] std::optional<DateOrder> slashDateOrder(const QStringList& texts);

// "14:05:09", "14:05", "2:05:09 PM", "12:00 AM" (case-insensitive); nothing otherwise.
[[nodiscard]] std::optional<QTime> time(const QString& text);

// The instant of a wall-clock date and time in the system's zone. A time the clocks skip (spring
// forward) is refused; one that repeats (fall back) is its first occurrence.
[[nodiscard]] Expected<Instant, ImportReason> localInstant(QDate date, QTime time);

} // namespace tivren::LocalTimes
