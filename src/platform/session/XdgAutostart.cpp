// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/XdgAutostart.h"

#include "app/services/BackgroundTask.h"
#include "core/datafile/AtomicFile.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// A path in an Exec line: quoted when it holds anything the desktop entry format treats specially.
QString execArgument(const QString& path)
{
    static const QString special = u" \t\n\"'\\><~|&;$*?#()`"_s;
    const bool needsQuotes = std::any_of(path.cbegin(), path.cend(), [](QChar c) {
        return special.contains(c);
    });
    if (!needsQuotes)
        return path;
    QString escaped;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return u'"' + escaped + u'"';
}

} // namespace

XdgAutostart::XdgAutostart(QString executable)
    : m_executable(executable.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(executable))
{
}

QString XdgAutostart::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/autostart/tivren.desktop"_s;
}

Expected<Done, LoginItemError> XdgAutostart::write(const QString& path, const QString& executable, bool enabled)
{
    if (!enabled) {
        QFile file(path);
        if (file.exists() && !file.remove())
            return Unexpected(LoginItemError { file.errorString() + u": "_s + path });
        return Done {};
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return Unexpected(LoginItemError { u"Could not create the folder "_s + folder });
    // %% stands for a literal percent sign in Exec lines.
    const QString exec = execArgument(executable).replace(u'%', u"%%"_s);
    const QString entry = u"[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Tivren\n"
                          "Comment=Time tracker for freelancers\n"
                          "Exec="_s
        + exec
        + u"\n"
          "Icon=tivren\n"
          "Terminal=false\n"
          "X-GNOME-Autostart-enabled=true\n"_s;
    const auto written = AtomicFile::write(path, entry.toUtf8(), AtomicFile::sharedFileMode);
    if (!written)
        return Unexpected(LoginItemError { written.error().description });
    return Done {};
}

bool XdgAutostart::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // An entry the user switched off in the desktop's startup settings stays in place, marked so.
    for (const QByteArray& rawLine : file.readAll().split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false")
            return false;
    }
    return true;
}

QCoro::Task<Expected<Done, LoginItemError>> XdgAutostart::setEnabled(bool enabled)
{
    QFuture<Expected<Done, LoginItemError>> writing =
        runInBackground([path = entryPath(), executable = m_executable, enabled] {
            return write(path, executable, enabled);
        });
    co_return co_await writing;
}

QCoro::Task<bool> XdgAutostart::isEnabled()
{
    QFuture<bool> reading = runInBackground([path = entryPath()] {
        return read(path);
    });
    co_return co_await reading;
}

} // namespace tivren
