// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "core/records/AppSnapshot.h"

#include <QByteArray>
#include <QString>

#include <functional>

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
    bool outputFailed = false; // the sink refused the bytes: its own error tells why

    [[nodiscard]] QString description() const;
    bool operator==(const EncodeError&) const = default;
};

// The JSON form of the data file. Decoding is strict: a wrong type, an unknown enumeration
// value or a malformed date fails the whole document. Keys this version does not know are kept
// in the extras of the record they belong to (the snapshot's own for the top level). Encoding
// writes every object with its keys, known and kept, in ascending order, one member per line,
// instants as whole-second UTC.
namespace SnapshotCodec {

[[nodiscard]] Expected<AppSnapshot, DecodeError> decode(const QByteArray& json);
// Receives the encoded document in consecutive chunks; returns false to stop encoding.
using Sink = std::function<bool(QByteArrayView chunk)>;

// Streams the document to the sink in chunks of a few hundred KB, so even a 50 MB file needs
// no buffer of its size.
[[nodiscard]] Expected<Done, EncodeError> encode(const AppSnapshot& snapshot, const Sink& sink);
[[nodiscard]] Expected<QByteArray, EncodeError> encode(const AppSnapshot& snapshot);

} // namespace SnapshotCodec
} // namespace tivren
