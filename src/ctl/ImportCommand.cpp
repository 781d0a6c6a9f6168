// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/ImportCommand.h"

#include "core/ControlBus.h"
#include "core/import/ImportReading.h"
#include "ctl/ControlCommand.h"
#include "ctl/TerminalText.h"

#include <QDBusMessage>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace tivren::TivrenCtl {
namespace {

// Reading and planning a large file takes the running Tivren a while.
constexpr int importTimeoutMs = 120000;

QString counted(int n, const QString& one, const QString& many)
{
    return u"%1 %2"_s.arg(n).arg(n == 1 ? one : many);
}

} // namespace

QString importSummary(const QJsonObject& preview)
{
    const bool applied = preview.value(u"applied"_s).toBool();
    const int entries = preview.value(u"entriesAdded"_s).toInt();
    const int duplicates = preview.value(u"duplicates"_s).toInt();
    const int rejected = preview.value(u"rejected"_s).toInt();
    QStringList projects;
    for (const QJsonValue& name : preview.value(u"newProjects"_s).toArray())
        projects << TerminalText::echoed(name.toString());
    QString text = u"%1: %2 %3, %4 %5, %6 %7.\n"_s.arg(preview.value(u"format"_s).toString(),
        counted(entries, u"entry"_s, u"entries"_s),
        applied ? u"added"_s : u"to add"_s,
        counted(duplicates, u"duplicate"_s, u"duplicates"_s),
        applied ? u"skipped"_s : u"to skip"_s,
        counted(rejected, u"record"_s, u"records"_s),
        u"rejected"_s);
    if (!projects.isEmpty())
        text += (applied ? u"New projects: "_s : u"Projects to create: "_s) + projects.join(u", "_s) + u'\n';
    const QJsonArray reasons = preview.value(u"rejections"_s).toArray();
    for (const QJsonValue& rejection : reasons) {
        text += u"  line %1: %2\n"_s.arg(rejection[u"line"_s].toInt())
                    .arg(TerminalText::echoed(rejection[u"reason"_s].toString(), TerminalText::messageLimit));
    }
    if (rejected > reasons.size())
        text += u"  and %1 more\n"_s.arg(rejected - reasons.size());
    if (!applied)
        text += u"Nothing was changed; run again with --yes to import.\n"_s;
    return text;
}

int importCommand(const QStringList& args, QTextStream& out, QTextStream& err, QDBusConnection bus)
{
    QStringList files = args;
    const bool apply = files.removeAll(u"--yes"_s) > 0;
    if (files.size() != 1 || (files.first().startsWith(u'-') && files.first() != u"-"_s)) {
        err << (files.isEmpty() ? u"tivrenctl: import needs a file (see tivrenctl --help)\n"_s
                                : u"tivrenctl: unexpected argument '%1' for import (see tivrenctl --help)\n"_s.arg(
                                    TerminalText::echoed(files.value(files.size() > 1 ? 1 : 0))));
        return 2;
    }
    QFile file(files.first());
    const bool opened =
        files.first() == u"-"_s ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
    const QByteArray content = opened ? file.read(largestImportFile + 1) : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        err << u"tivrenctl: cannot read %1: %2\n"_s.arg(TerminalText::echoed(files.first()), file.errorString());
        return 1;
    }
    // Larger exports than years of anyone's history are refused before they cross the bus.
    if (content.size() > largestImportFile) {
        err << u"tivrenctl: %1 is larger than 64 MiB; no export of time entries is that large\n"_s.arg(
            TerminalText::echoed(files.first()));
        return 1;
    }
    if (!bus.isConnected()) {
        err << u"tivrenctl: no session bus, so Tivren cannot be reached\n"_s;
        return 1;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(ControlBus::serviceName),
        QString::fromLatin1(ControlBus::objectPath),
        QString::fromLatin1(ControlBus::interfaceName),
        u"Import"_s);
    call << content << apply;
    const QDBusMessage reply = bus.call(call, QDBus::Block, importTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        printRefusal(reply, err);
        return 1;
    }
    out << importSummary(QJsonDocument::fromJson(reply.arguments().value(0).toString().toUtf8()).object());
    return 0;
}

} // namespace tivren::TivrenCtl
