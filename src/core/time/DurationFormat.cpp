// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time/DurationFormat.h"

#include <algorithm>
#include <cmath>

namespace tivren {

QString formattedDuration(Seconds seconds)
{
    // A clock read a moment apart from a start must not show "00:00:-1".
    const auto whole = std::max(static_cast<qint64>(std::round(seconds)), qint64(0));
    // Written by hand: a running clock formats this every second, and asprintf costs more than
    // drawing the text.
    QString text = QString::number(whole / 3600);
    if (text.size() < 2)
        text.prepend(u'0');
    for (const qint64 part : { whole % 3600 / 60, whole % 60 }) {
        text.append(u':');
        text.append(QChar(u'0' + int(part / 10)));
        text.append(QChar(u'0' + int(part % 10)));
    }
    return text;
}

} // namespace tivren
