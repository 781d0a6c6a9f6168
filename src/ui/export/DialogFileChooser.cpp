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

QCoro::Task<std::optional<QString>> DialogFileChooser::chooseCSVSaveLocation(const QString& proposedName)
{
    // Not deleted on close: the awaited finished() resumes this coroutine through a queued call
    // with the dialog as its context, which would be dropped together with the dialog.
    QWidget* parent = m_parentWindow ? m_parentWindow() : nullptr;
    QPointer<QFileDialog> dialog = new QFileDialog(parent, QString(), QDir(startFolder()).filePath(proposedName));
    const auto release = qScopeGuard([dialog] {
        if (dialog)
            dialog->deleteLater();
    });
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(AppStrings::text(dialog->locale(), Text::en("CSV files")) + u" (*.csv)"_s);
    dialog->setDefaultSuffix(u"csv"_s);
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

} // namespace tivren
