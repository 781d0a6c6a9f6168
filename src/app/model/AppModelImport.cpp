// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing history from another tracker: one change of the lists, one save.
#include "app/model/AppModel.h"
#include "app/services/BackgroundTask.h"
#include "app/services/FileChooser.h"
#include "app/text/Text.h"

#include <QCoroFuture>
#include <QFile>
#include <QFileInfo>

namespace tivren {

ImportPlan AppModel::planImportOf(const ImportReading& reading) const
{
    return planImport(reading, m_projects, m_entries, m_now);
}

ImportPlan AppModel::applyImport(const ImportReading& reading)
{
    const ImportPlan plan = planImportOf(reading);
    if (plan.newProjects.isEmpty() && plan.newEntries.isEmpty())
        return plan;
    setProjects(m_projects + plan.newProjects);
    setEntries(m_entries + plan.newEntries);
    persist();
    return plan;
}

QCoro::Task<std::optional<ImportReading>> AppModel::chooseImport()
{
    const std::optional<QString> path = co_await m_services.fileChooser.chooseImportFile();
    if (!path || path->isEmpty())
        co_return std::nullopt;
    // Kept out of the co_await expression: GCC 12 mishandles temporaries inside one.
    QFuture<Expected<ImportReading, QString>> reading = runInBackground([path = *path] {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Expected<ImportReading, QString>(Unexpected(file.errorString()));
        return readImport(file.readAll());
    });
    auto result = co_await reading;
    if (!result) {
        setErrorMessage(
            localized(Text::en("Could not import “%@”: %@"), { QFileInfo(*path).fileName(), result.error() }));
        co_return std::nullopt;
    }
    co_return std::move(*result);
}

ImportPreview AppModel::importPreview(const ImportReading& reading) const
{
    return ImportTexts::preview(reading.format, planImportOf(reading), appLocale());
}

void AppModel::confirmImport(const ImportReading& reading)
{
    if (const auto reason = whyChangesAreNotSaved()) {
        setErrorMessage(*reason);
        return;
    }
    const ImportPlan plan = applyImport(reading);
    setSuccessMessage(ImportTexts::imported(plan, appLocale()));
}

} // namespace tivren
