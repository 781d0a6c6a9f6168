// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/XdgAutostart.h"

#include "app/services/BackgroundTask.h"
#include "core/ApplicationId.h"
#include "core/datafile/AtomicFile.h"
#include "platform/session/AutostartEntry.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

Q_LOGGING_CATEGORY(lcAutostart, "Autostart")

QString autostartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/autostart/"_s;
}

Expected<Done, LoginItemError> writeEntry(const QString& path, const QByteArray& entry)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return Unexpected(LoginItemError { u"Could not create the folder "_s + folder });
    const auto written = AtomicFile::write(path, entry, AtomicFile::sharedFileMode);
    if (!written)
        return Unexpected(LoginItemError { written.error().description });
    return Done {};
}

Expected<Done, LoginItemError> remove(const QString& path)
{
    QFile file(path);
    if (file.exists() && !file.remove())
        return Unexpected(LoginItemError { file.errorString() + u": "_s + path });
    return Done {};
}

} // namespace

XdgAutostart::XdgAutostart(QString executable)
    : m_executable(executable.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(executable))
{
}

QString XdgAutostart::entryPath()
{
    return autostartFolder() + ApplicationId::desktopFileName();
}

QString XdgAutostart::earlierEntryPath()
{
    return autostartFolder() + u"tivren.desktop"_s;
}

Expected<Done, LoginItemError> XdgAutostart::write(const QString& path, const QString& executable, bool enabled)
{
    if (!enabled)
        return remove(path);
    return writeEntry(path, AutostartEntry::text(AutostartEntry::execProgram(executable), true));
}

bool XdgAutostart::read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && AutostartEntry::isEnabled(file.readAll());
}

Expected<AutostartMigration, LoginItemError> XdgAutostart::migrate(
    const QString& earlierPath, const QString& path, const QString& executable)
{
    QFile earlier(earlierPath);
    if (!earlier.open(QIODevice::ReadOnly))
        return AutostartMigration::none;
    const QByteArray entry = earlier.readAll();
    earlier.close();
    if (!AutostartEntry::isTivrens(entry))
        return AutostartMigration::leftAlone;
    // An entry under the new name is the newer choice; the old one would only start Tivren twice.
    const bool newerChoice = QFileInfo(path).isFile();
    if (!newerChoice) {
        const QByteArray moved =
            AutostartEntry::text(AutostartEntry::execProgram(executable), AutostartEntry::isEnabled(entry));
        if (auto written = writeEntry(path, moved); !written)
            return Unexpected(written.error());
    }
    if (auto removed = remove(earlierPath); !removed)
        return Unexpected(removed.error());
    return newerChoice ? AutostartMigration::removed : AutostartMigration::moved;
}

void XdgAutostart::migrateEarlierEntry()
{
    m_migration = runInBackground([earlierPath = earlierEntryPath(), path = entryPath(), executable = m_executable] {
        auto migrated = migrate(earlierPath, path, executable);
        if (!migrated)
            qCWarning(lcAutostart, "The earlier autostart entry stays: %s", qPrintable(migrated.error().description));
        else if (*migrated == AutostartMigration::leftAlone)
            qCInfo(lcAutostart, "%s does not start Tivren; left as it is", qPrintable(earlierPath));
        return migrated;
    });
}

QCoro::Task<> XdgAutostart::migrationFinished()
{
    if (m_migration.isValid())
        co_await m_migration;
}

QCoro::Task<Expected<Done, LoginItemError>> XdgAutostart::setEnabled(bool enabled)
{
    co_await migrationFinished();
    QFuture<Expected<Done, LoginItemError>> writing =
        runInBackground([path = entryPath(), executable = m_executable, enabled] {
            return write(path, executable, enabled);
        });
    co_return co_await writing;
}

QCoro::Task<bool> XdgAutostart::isEnabled()
{
    co_await migrationFinished();
    QFuture<bool> reading = runInBackground([path = entryPath()] {
        return read(path);
    });
    co_return co_await reading;
}

} // namespace tivren
