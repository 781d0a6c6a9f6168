// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>

namespace tivren {

// The file dialogs: where to write a file, and which file to read.
class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // The chosen path, or nothing when the user cancelled. Offers only CSV files and lets the
    // user create folders; an existing file is confirmed by the dialog before it returns.
    [[nodiscard]] virtual QCoro::Task<std::optional<QString>> chooseCSVSaveLocation(const QString& proposedName) = 0;
    // The chosen existing file, or nothing when the user cancelled. Offers other trackers' exports
    // (CSV and JSON) first, any file on request: the content, not the name, says what a file is.
    [[nodiscard]] virtual QCoro::Task<std::optional<QString>> chooseImportFile() = 0;
};

} // namespace tivren
