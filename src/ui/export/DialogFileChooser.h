// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/FileChooser.h"

#include <QWidget>

#include <functional>

namespace tivren {

// The desktop's save dialog (through the XDG portal where the desktop provides one), shown
// without a nested event loop. It opens in the folder of the last file chosen during this run,
// else in ~/Documents, else at home.
class DialogFileChooser final : public FileChooser
{
public:
    // The dialog's parent, asked for when a dialog opens: the main window need not exist before that.
    void setParentWindow(std::function<QWidget*()> parentWindow) { m_parentWindow = std::move(parentWindow); }

    [[nodiscard]] QCoro::Task<std::optional<QString>> chooseCSVSaveLocation(const QString& proposedName) override;

private:
    [[nodiscard]] QString startFolder() const;

    std::function<QWidget*()> m_parentWindow;
    QString m_lastFolder;
};

} // namespace tivren
