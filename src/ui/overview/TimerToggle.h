// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tivren {

class AppModel;

// What Space and Ctrl+Enter do on the overview: stop the timer while one runs or a Pomodoro break
// holds it, otherwise start the project used most recently (the first Recent button), or the
// first active project when none was used yet.
void toggleTimer(AppModel& model);

} // namespace tivren
