// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/SoundPlayer.h"

#include <QThreadPool>

struct ca_context;

namespace tivren {

// Plays the desktop sound theme's "complete" event (or "bell" where the theme has none) through
// libcanberra. Connecting to the sound server can take a while, so the context is created and
// used on one worker thread of its own; playPhaseSound() only queues the request.
class CanberraSoundPlayer final : public SoundPlayer
{
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;

    CanberraSoundPlayer(const CanberraSoundPlayer&) = delete;
    CanberraSoundPlayer& operator=(const CanberraSoundPlayer&) = delete;

    void playPhaseSound() override;

private:
    // Run on the worker only.
    void play();

    QThreadPool m_worker;
    ca_context* m_context = nullptr; // created on first use; belongs to the worker
    bool m_contextFailed = false;
};

} // namespace tivren
