#pragma once

#include "core/Instant.h"

#include <QDateTime>

namespace tivren {

// The wall clock, injectable so tests can drive time without sleeping.
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual Instant now() const = 0;
};

class SystemClock final : public Clock
{
public:
    [[nodiscard]] Instant now() const override { return QDateTime::currentMSecsSinceEpoch() / 1000.0; }
};

} // namespace tivren
