// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the data-file tests share: a private folder for the file, raw reads and writes, file modes.
#include <QDir>
#include <QFile>
#include <QFuture>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace tivren::testing {

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

// The full st_mode (type and permission bits), 0 when there is nothing at path.
inline mode_t modeOf(const QString& path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

template <typename T> T await(QFuture<T> future)
{
    future.waitForFinished();
    return future.result();
}

// A temporary folder holding tivren-data.json.
struct DataFolder
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("tivren-data.json"));
    QString at(const QString& name) const { return dir.filePath(name); }
    // Every entry matching glob, hidden ones, links and pipes included.
    QStringList names(const QString& glob = QStringLiteral("*")) const
    {
        const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        return QDir(dir.path()).entryList({ glob }, all);
    }
};

} // namespace tivren::testing
