// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

namespace tivren {

FileIdentity FileIdentity::of(const struct stat& status)
{
    return { quint64(status.st_dev),
        quint64(status.st_ino),
        qint64(status.st_size),
        qint64(status.st_mtim.tv_sec),
        qint64(status.st_mtim.tv_nsec) };
}

std::optional<FileIdentity> FileIdentity::ofPath(const QString& path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return of(status);
}

} // namespace tivren
