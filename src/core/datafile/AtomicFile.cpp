// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tivren::AtomicFile {
namespace {

constexpr int maxLinkDepth = 16;

FileError errnoError(int code, const QString& what)
{
    return { code, what + u": "_s + QString::fromLocal8Bit(std::strerror(code)) };
}

// The file the bytes must finally land in: a symbolic link is followed (even a dangling one),
// so the link itself stays in place and its target is replaced.
QString resolveLinks(const QString& path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int depth = 0; depth < maxLinkDepth; ++depth) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            return current;
        current = QDir::cleanPath(target);
    }
    return current;
}

int closeKeepingErrno(int fd)
{
    const int saved = errno;
    const int rc = ::close(fd);
    errno = saved;
    return rc;
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

void syncFolder(const QString& folder)
{
    // Makes the rename itself durable. Some file systems refuse fsync on a directory; the data
    // is already safe on disk then, so that is not reported as a failed save.
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A hidden name beside the target that no person would choose for a copy of their own, so the
// clean-up at start can tell a crashed save's leftover from a user's backup.
QString temporaryNamePattern(const QString& target)
{
    const QFileInfo info(target);
    return info.absoluteDir().filePath(u'.' + info.fileName() + u".tmp-XXXXXX"_s);
}

} // namespace

bool Output::write(QByteArrayView bytes)
{
    if (m_error != 0)
        return false;
    if (!writeAll(m_fd, bytes.data(), bytes.size())) {
        m_error = errno;
        return false;
    }
    return true;
}

Expected<FileIdentity, FileError> write(const QString& path, const QByteArray& bytes, int newFileMode)
{
    return write(
        path,
        [&bytes](Output& out) {
            return out.write(bytes);
        },
        newFileMode);
}

Expected<FileIdentity, FileError> write(const QString& path, const Producer& produce, int newFileMode)
{
    const QString target = resolveLinks(path);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    const QByteArray targetName = QFile::encodeName(target);

    auto mode = static_cast<mode_t>(newFileMode);
    struct stat existing
    {
    };
    if (::stat(targetName.constData(), &existing) == 0) {
        // Renaming over a device, a pipe or a folder would replace the node itself: a link to
        // /dev/null must never turn into a file of ours.
        if (!S_ISREG(existing.st_mode))
            return Unexpected(FileError { EEXIST, target + u" is not a regular file; it was not replaced"_s });
        mode = existing.st_mode & 07777;
    }

    QByteArray tempName = QFile::encodeName(temporaryNamePattern(target));
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0)
        return Unexpected(errnoError(errno, u"Could not create a temporary file in "_s + folder));

    auto abandon = [&](const QString& what) {
        const FileError error = errnoError(errno, what);
        closeKeepingErrno(fd);
        ::unlink(tempName.constData());
        return Unexpected(error);
    };

    if (::fchmod(fd, mode) != 0)
        return abandon(u"Could not set the permissions of "_s + target);
    Output out(fd);
    if (!produce(out)) {
        errno = out.error() != 0 ? out.error() : ECANCELED;
        return abandon(u"Could not write "_s + target);
    }
    // Without this a crash right after the rename could leave an empty file behind on ext4.
    if (::fsync(fd) != 0)
        return abandon(u"Could not write "_s + target + u" to disk"_s);
    // Taken from the descriptor, so it is this content's identity even if another program
    // replaces the file right after the rename.
    struct stat written
    {
    };
    if (::fstat(fd, &written) != 0)
        return abandon(u"Could not write "_s + target);
    if (::close(fd) != 0) {
        const FileError error = errnoError(errno, u"Could not write "_s + target);
        ::unlink(tempName.constData());
        return Unexpected(error);
    }
    if (::rename(tempName.constData(), targetName.constData()) != 0) {
        const FileError error = errnoError(errno, u"Could not replace "_s + target);
        ::unlink(tempName.constData());
        return Unexpected(error);
    }
    syncFolder(folder);
    return FileIdentity::of(written);
}

QStringList orphanedTemporaryFiles(const QString& path)
{
    const QFileInfo target(resolveLinks(path));
    const QDir folder = target.absoluteDir();
    const QString prefix = u'.' + target.fileName() + u".tmp-"_s;
    // mkostemp() fills in six letters or digits.
    const QRegularExpression pattern(u"^"_s + QRegularExpression::escape(prefix) + u"[A-Za-z0-9]{6}$"_s);
    QStringList orphans;
    const QStringList names = folder.entryList({ prefix + u'*' }, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (pattern.match(name).hasMatch())
            orphans.append(folder.filePath(name));
    }
    return orphans;
}

} // namespace tivren::AtomicFile
