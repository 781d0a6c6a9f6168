// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/FileChooser.h"

#include <QWidget>

#include <functional>

class QFileDialog;

namespace tivren {

// The desktop's file dialogs (through the XDG portal where the desktop provides one), shown
// without a nested event loop. They open in the folder of the last file chosen during this run,
// else in ~/Documents, else at home.
class DialogFileChooser final : public FileChooser
{
public:
    // The dialog's parent, asked for when a dialog opens: the main window need not exist before that.
    void setParentWindow(std::function<QWidget*()> parentWindow) { m_parentWindow = std::move(parentWindow); }

    [[nodiscard]] QCoro::Task<std::optional<QString>> chooseCSVSaveLocation(const QString& proposedName) override;
    [[nodiscard]] QCoro::Task<std::optional<QString>> chooseImportFile() override;

private:
    [[nodiscard]] QString startFolder() const;
    // A dialog parented to the main window, opened in the start folder (or at proposed in it).
    [[nodiscard]] QFileDialog* newDialog(const QString& proposedName) const;
    // Shows the dialog, window-modal, and deletes it afterwards; its file when one was accepted.
    [[nodiscard]] QCoro::Task<std::optional<QString>> run(QFileDialog* dialog);

    std::function<QWidget*()> m_parentWindow;
    QString m_lastFolder;
};

} // namespace tivren
