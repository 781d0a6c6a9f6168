// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>

namespace tivren {

// The save dialog: asks where to write a file.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // The chosen path, or nothing when the user cancelled. Offers only CSV files and lets the
    // user create folders; an existing file is confirmed by the dialog before it returns.
    [[nodiscard]] virtual QCoro::Task<std::optional<QString>> chooseCSVSaveLocation(const QString& proposedName) = 0;
};

} // namespace tivren
