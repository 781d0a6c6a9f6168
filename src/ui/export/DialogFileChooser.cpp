// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/DialogFileChooser.h"

#include "app/text/AppStrings.h"

#include <QCoroSignal>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tivren {

QString DialogFileChooser::startFolder() const
{
    // A folder that does not exist would send the dialog to the process's working folder.
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QFileDialog* DialogFileChooser::newDialog(const QString& proposedName) const
{
    QWidget* parent = m_parentWindow ? m_parentWindow() : nullptr;
    return new QFileDialog(parent, QString(), QDir(startFolder()).filePath(proposedName));
}

QCoro::Task<std::optional<QString>> DialogFileChooser::run(QFileDialog* opened)
{
    // Not deleted on close: the awaited finished() resumes this coroutine through a queued call
    // with the dialog as its context, which would be dropped together with the dialog.
    QPointer<QFileDialog> dialog = opened;
    const auto release = qScopeGuard([dialog] {
        if (dialog)
            dialog->deleteLater();
    });
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
    const auto result = co_await qCoro(dialog.data(), &QFileDialog::finished);
    if (!dialog || result != QDialog::Accepted)
        co_return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        co_return std::nullopt;
    m_lastFolder = QFileInfo(files.first()).absolutePath();
    co_return files.first();
}

QCoro::Task<std::optional<QString>> DialogFileChooser::chooseCSVSaveLocation(const QString& proposedName)
{
    QFileDialog* dialog = newDialog(proposedName);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(AppStrings::text(dialog->locale(), Text::en("CSV files")) + u" (*.csv)"_s);
    dialog->setDefaultSuffix(u"csv"_s);
    return run(dialog);
}

QCoro::Task<std::optional<QString>> DialogFileChooser::chooseImportFile()
{
    QFileDialog* dialog = newDialog(QString());
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    //: A file dialog's filter: time tracking history exported from other apps
    const QString exports = AppStrings::text(dialog->locale(), Text::en("Exports"));
    const QString all = AppStrings::text(dialog->locale(), Text::en("All files"));
    dialog->setNameFilters({ exports + u" (*.csv *.json)"_s, all + u" (*)"_s });
    return run(dialog);
}

} // namespace tivren
