#include "ui/DialogFileChooser.h"

#include "app/AppStrings.h"

#include <QCoroSignal>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tivren {

DialogFileChooser::DialogFileChooser(QWidget* parentWindow)
    : m_parent(parentWindow)
{
}

QCoro::Task<std::optional<QString>> DialogFileChooser::chooseCSVSaveLocation(const QString& proposedName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    auto* dialog = new QFileDialog(m_parent, QString(), QDir(folder).filePath(proposedName));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilter(AppStrings::text(dialog->locale(), u"CSV files"_tr) + u" (*.csv)"_s);
    dialog->setDefaultSuffix(u"csv"_s);
    dialog->setWindowModality(Qt::WindowModal);
    QPointer<QFileDialog> guard(dialog);
    dialog->open();
    const auto result = co_await qCoro(dialog, &QFileDialog::finished);
    if (!guard || result != QDialog::Accepted)
        co_return std::nullopt;
    const QStringList files = guard->selectedFiles();
    if (files.isEmpty())
        co_return std::nullopt;
    co_return files.first();
}

} // namespace tivren
