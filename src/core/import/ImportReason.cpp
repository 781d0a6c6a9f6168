// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/ImportReason.h"

using namespace Qt::StringLiterals;

namespace tivren {

QString ImportReason::english() const
{
    QString line;
    const QString format = QString::fromUtf8(text);
    qsizetype next = 0;
    qsizetype from = 0;
    for (qsizetype at = format.indexOf(u"%@"_s); at >= 0; at = format.indexOf(u"%@"_s, from)) {
        line += format.mid(from, at - from) + arguments.value(next++);
        from = at + 2;
    }
    return line + format.mid(from);
}

} // namespace tivren
