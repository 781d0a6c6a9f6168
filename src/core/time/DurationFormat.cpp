#include "core/time/DurationFormat.h"

#include <algorithm>
#include <cmath>

namespace tivren {

QString formattedDuration(Seconds seconds)
{
    // A clock read a moment apart from a start must not show "00:00:-1".
    const auto whole = std::max(static_cast<qint64>(std::round(seconds)), qint64(0));
    return QString::asprintf("%02lld:%02lld:%02lld", whole / 3600, whole % 3600 / 60, whole % 60);
}

} // namespace tivren
