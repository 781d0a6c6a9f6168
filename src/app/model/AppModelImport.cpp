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

namespace {

struct FileReasons
{
    QString notAFile;
    QString tooLarge;
};

// A line already in the user's language (or the system's own error), passed on as it is.
ImportReason worded(const QString& line)
{
    return ImportReason { "%@", { line } };
}

Expected<ImportReading, ImportReason> readImportFile(const QString& path, const FileReasons& reasons)
{
    // A pipe or a device would keep the reading waiting, or never end.
    if (!QFileInfo(path).isFile())
        return Unexpected(worded(reasons.notAFile));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unexpected(worded(file.errorString()));
    const QByteArray content = file.read(largestImportFile + 1);
    if (file.error() != QFileDevice::NoError)
        return Unexpected(worded(file.errorString()));
    if (content.size() > largestImportFile)
        return Unexpected(worded(reasons.tooLarge));
    return readImport(content);
}

} // namespace

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
    // The reasons are worded here, on this thread, where the app's language is known.
    const FileReasons reasons { localized(Text::en("It is not a file.")),
        localized(Text::en("It is larger than %d MiB; no export of time entries is that large."),
            { int(largestImportFile / (1024 * 1024)) }) };
    // Kept out of the co_await expression: GCC 12 mishandles temporaries inside one.
    QFuture<Expected<ImportReading, ImportReason>> reading = runInBackground([path = *path, reasons] {
        return readImportFile(path, reasons);
    });
    auto result = co_await reading;
    if (!result) {
        setErrorMessage(localized(Text::en("Could not import “%@”: %@"),
            { QFileInfo(*path).fileName(), ImportTexts::reason(result.error(), appLocale()) }));
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
    setSuccessMessage(ImportTexts::imported(plan, appLocale()), Text::en("Import Complete"));
}

} // namespace tivren
