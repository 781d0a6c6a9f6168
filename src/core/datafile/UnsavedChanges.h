// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/AppSnapshot.h"

#include <optional>

namespace tivren {

// What differs between the state on disk and the state in memory, counted the way a person would
// name it ("2 time entries", "the running timer"): for the one line Tivren leaves when it has to
// quit without saving.
struct UnsavedChanges
{
    bool timerChanged = false; // started, stopped or switched
    std::optional<ActiveTimerSession> runningTimer; // the timer as it runs in memory
    int entries = 0; // added, changed or deleted
    int projects = 0;
    bool settings = false;
    bool calendarLinks = false;

    [[nodiscard]] bool isEmpty() const
    {
        return !timerChanged && entries == 0 && projects == 0 && !settings && !calendarLinks;
    }

    // Compares by id, so a changed record counts once and an unchanged list costs one pass.
    [[nodiscard]] static UnsavedChanges between(const AppSnapshot& onDisk, const AppSnapshot& inMemory);
};

} // namespace tivren
