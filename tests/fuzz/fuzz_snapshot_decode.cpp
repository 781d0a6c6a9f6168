// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the data file reader: whatever loads also saves, and load(save(x)) saves to the
// same bytes.
#include "core/datafile/SnapshotCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tivren;
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = SnapshotCodec::decode(input);
    if (!decoded)
        return 0;
    const auto encoded = SnapshotCodec::encode(*decoded);
    if (!encoded)
        std::abort(); // a file that loads must also save, or every later change would be lost
    const auto again = SnapshotCodec::decode(*encoded);
    if (!again)
        std::abort();
    const auto reencoded = SnapshotCodec::encode(*again);
    if (!reencoded || *reencoded != *encoded)
        std::abort();
    return 0;
}
