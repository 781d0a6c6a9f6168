// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Text from the command line, the data file or the running Tivren, made safe to echo in a one-line
// error: a line feed must not split the line, an escape sequence must not reach the terminal and a
// huge value must not flood it.
namespace tivren::TerminalText {

// For a value the user gave; for a whole message from elsewhere (a data file's fault, Tivren's answer).
constexpr qsizetype echoLimit = 60;
constexpr qsizetype messageLimit = 400;

// `value` with control characters written as escapes (\n, \t, \x1b, \u202e) and cut after about
// `limit` characters with "…".
[[nodiscard]] QString echoed(QStringView value, qsizetype limit = echoLimit);

} // namespace tivren::TerminalText
