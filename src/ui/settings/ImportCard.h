// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsControls.h"

#include <QWidget>
#include <qcoro/qcorotask.h>

class QPushButton;

namespace tivren {

class AppModel;

// The Settings card that brings history from another tracker: Import… asks for a file, the model
// reads it, a preview says what would change, and only its Import changes anything.
//
// Object names for tests: importCard, importCardTitleLabel, importCardDescriptionLabel, importButton;
// the preview is an ImportPreviewDialog.
class ImportCard : public QWidget
{
    Q_OBJECT

public:
    explicit ImportCard(AppModel& model, QWidget* parent = nullptr);

private:
    void retranslate();
    QCoro::Task<> chooseAndImport();

    AppModel& m_model;
    SettingsControls::Card m_card;
    QPushButton* m_importButton = nullptr;
};

} // namespace tivren
