// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/ImportCard.h"

#include "app/model/AppModel.h"
#include "ui/settings/ImportPreviewDialog.h"

#include <QCoroSignal>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

ImportCard::ImportCard(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_card = SettingsControls::card(u"importCard"_s, this);
    layout->addWidget(m_card.frame);
    m_importButton = SettingsControls::button(u"importButton"_s, m_card.frame);
    m_importButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); // a button, not a bar across the card
    SettingsControls::addGroup(m_card.frame, { m_importButton });
    connect(m_importButton, &QPushButton::clicked, this, [this] {
        // Runs on by itself; it checks that this card still exists after each wait.
        QCoro::Task<> task = chooseAndImport();
        Q_UNUSED(task);
    });
    connect(&m_model, &AppModel::settingsChanged, this, &ImportCard::retranslate);
    retranslate();
}

void ImportCard::retranslate()
{
    m_card.title->setText(m_model.localized(Text::en("Bring Your History")));
    m_card.description->setText(m_model.localized(Text::en("Import time entries exported from Toggl Track or Clockify "
                                                           "(CSV), Timewarrior (timew export) or Watson (its frames "
                                                           "file). You see what would change before anything does.")));
    //: A button: opens a file to import time entries from
    m_importButton->setText(m_model.localized(Text::en("Import…")));
    m_importButton->setAccessibleName(m_model.localized(Text::en("Import time entries from a file")));
    SettingsControls::fitText(m_importButton);
}

QCoro::Task<> ImportCard::chooseAndImport()
{
    QPointer<ImportCard> self = this;
    AppModel& model = m_model;
    m_importButton->setEnabled(false);
    const std::optional<ImportReading> reading = co_await model.chooseImport();
    if (!self)
        co_return;
    m_importButton->setEnabled(true);
    if (!reading)
        co_return;
    // Not deleted on close: the awaited finished() would never resume with the dialog gone.
    QPointer<ImportPreviewDialog> dialog = new ImportPreviewDialog(model.importPreview(*reading), model, window());
    dialog->open();
    const int result = co_await qCoro(dialog.data(), &QDialog::finished);
    if (dialog)
        dialog->deleteLater();
    if (result == QDialog::Accepted)
        model.confirmImport(*reading);
}

} // namespace tivren
