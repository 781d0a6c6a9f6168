// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tivren {

// Plays a short system sound (the desktop sound theme's "complete" event on Linux).
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Never blocks the caller; a missing sound device is not an error anyone needs to see.
    virtual void playPhaseSound() = 0;
};

} // namespace tivren
