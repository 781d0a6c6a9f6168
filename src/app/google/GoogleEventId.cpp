// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/google/GoogleEventId.h"

#include "core/datafile/Uuid.h"

#include <QCryptographicHash>

using namespace Qt::StringLiterals;

namespace tivren::GoogleEventId {

QString base32Hex(const QByteArray& data)
{
    static constexpr char alphabet[] = "0123456789abcdefghijklmnopqrstuv";
    QString encoded;
    encoded.reserve((data.size() * 8 + 4) / 5);
    quint32 buffer = 0;
    int bits = 0;
    for (const char byte : data) {
        buffer = (buffer << 8) | quint8(byte);
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            encoded.append(QLatin1Char(alphabet[(buffer >> bits) & 0x1f]));
        }
    }
    if (bits > 0)
        encoded.append(QLatin1Char(alphabet[(buffer << (5 - bits)) & 0x1f]));
    return encoded;
}

QString derive(const QUuid& entryID, const QString& calendarID)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(UuidText::upper(entryID).toUtf8());
    hash.addData(QByteArrayView("\n")); // a separator no entry id holds
    hash.addData(calendarID.toUtf8());
    return base32Hex(hash.result());
}

} // namespace tivren::GoogleEventId
