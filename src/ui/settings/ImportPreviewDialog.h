// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/text/ImportTexts.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tivren {

class AppModel;

// What importing a file would change, with Import (Enter) and Cancel (Esc). Window-modal over
// the main window; accepting it changes nothing by itself, the caller imports.
//
// Object names for tests: importPreviewDialog, importPreviewTitleLabel, importPreviewSummaryLabel,
// importConfirmButton, importCancelButton.
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    ImportPreviewDialog(const ImportPreview& preview, const AppModel& model, QWidget* parent = nullptr);

private:
    QLabel* m_title = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace tivren
