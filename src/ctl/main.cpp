// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/CommandDispatcher.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QIODevice>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Qt 6.4's D-Bus thread may still decode a late message from the bus while the exit
    // handlers run, after Qt's registry of custom types has gone, and print "invalid type" warnings
    // under the one error line. Statics end in reverse order: a registry made before any D-Bus use
    // outlives that thread.
    qRegisterMetaType<QDBusMessage>();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tivrenctl"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    int code = tivren::TivrenCtl::run(QCoreApplication::arguments(), out, err);
    out.flush();
    // A report lost on a full disk or a closed pipe must not look like success.
    if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        err << QStringLiteral("tivrenctl: could not write to standard output: %1\n").arg(out.device()->errorString());
        code = 1;
    }
    err.flush();
    return code;
}
