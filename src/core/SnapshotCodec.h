#pragma once

#include "core/AppSnapshot.h"
#include "core/Expected.h"

#include <QByteArray>
#include <QString>

namespace tivren {

// Why a data file could not be read as a snapshot: where (a key path such as
// "entries[3].endDate", empty for the document itself) and what was wrong there.
struct DecodeError
{
    QString path;
    QString reason;

    [[nodiscard]] QString description() const;
    bool operator==(const DecodeError&) const = default;
};

struct EncodeError
{
    QString path;
    QString reason;

    [[nodiscard]] QString description() const;
    bool operator==(const EncodeError&) const = default;
};

// The JSON form of the data file. Decoding is strict: a wrong type, an unknown enumeration
// value or a malformed date fails the whole document. Encoding writes every object with its
// keys in ascending order, one member per line, instants as whole-second UTC.
namespace SnapshotCodec {

[[nodiscard]] Expected<AppSnapshot, DecodeError> decode(const QByteArray& json);
[[nodiscard]] Expected<QByteArray, EncodeError> encode(const AppSnapshot& snapshot);

} // namespace SnapshotCodec
} // namespace tivren
