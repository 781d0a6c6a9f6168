// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Which detector was chosen and what it learned; silent unless QT_LOGGING_RULES="IdleMonitor.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcIdle)
