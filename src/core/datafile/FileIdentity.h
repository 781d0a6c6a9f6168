// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

struct stat;

namespace tivren {

// Which file a path leads to and which version of it: enough to notice that another program
// wrote the file in place or replaced it with another one.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedSeconds = 0;
    qint64 modifiedNanoseconds = 0;

    [[nodiscard]] static FileIdentity of(const struct stat& status);
    // Follows symbolic links; nullopt when nothing can be found there.
    [[nodiscard]] static std::optional<FileIdentity> ofPath(const QString& path);

    bool operator==(const FileIdentity&) const = default;
};

} // namespace tivren
