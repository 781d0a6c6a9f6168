// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"

#include <QDBusConnection>
#include <QString>

#include <memory>

class QLockFile;

namespace tivren {

// Why the data folder could not be taken.
struct DataFolderError
{
    enum class Kind
    {
        held, // another Tivren holds it and did not let go in time
        notWritable, // the folder cannot be made or written: Tivren may run read-only
    };
    Kind kind;
    QString folder;
    QString reason; // held: a line for the terminal; notWritable: the system's words ("Read-only file system")

    bool operator==(const DataFolderError&) const = default;
};

// One Tivren per user. The bus name org.tivren.Tivren says who runs, so a second launch can hand
// over to it (Show) and leave; a lock in the data folder keeps two instances on two buses (or on
// none) from both writing the data file. A Tivren that is quitting gives up the bus name first and
// the lock last, once its final save is on disk, and a launch made meanwhile waits for it.
// Used at start-up, before any window exists, and at the very end: the waits here block, bounded.
class SingleInstance
{
public:
    struct Limits
    {
        int showMsecs = 5000; // for the running instance to answer Show
        int busNameMsecs = 30000; // for a quitting instance to give up the bus name
        int lockMsecs = 15000; // for a quitting instance to finish its last save
    };
    enum class Role
    {
        first, // this process is the one Tivren
        handedOver, // the running Tivren did what was asked (showed its window); this process leaves
    };

    SingleInstance(QDBusConnection bus, QString dataFolder, Limits limits);
    SingleInstance(QDBusConnection bus, QString dataFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the bus name, or hands over to the Tivren that has it by calling handOverMethod there
    // (Show; NewProject or Stop for the desktop entry's actions). Without a session bus there is
    // nobody to hand over to: Role::first. The error is one line for the terminal: no answer in
    // time, or the running Tivren's refusal (Stop while it cannot save, say).
    [[nodiscard]] Expected<Role, QString> claimBusName(const QString& handOverMethod = QStringLiteral("Show"));
    // Creates the data folder (every level it makes 0700; existing ones keep their mode) and locks it
    // with a lock file of mode 0600.
    [[nodiscard]] Expected<Done, DataFolderError> lockDataFolder();

    // For quitting: a new launch may take over the bus name at once, ...
    void releaseBusName();
    // ... and the data folder once nothing is left to write.
    void unlockDataFolder();

private:
    QDBusConnection m_bus;
    QString m_dataFolder;
    Limits m_limits;
    bool m_ownsBusName = false;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tivren
