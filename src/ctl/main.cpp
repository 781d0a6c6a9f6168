// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/CommandDispatcher.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QIODevice>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Qt before 6.5.3 makes its registry of custom types only when the first one is registered:
    // here by the D-Bus connection, after Qt's D-Bus connection manager, another static that owns
    // a thread. Statics end in reverse order, so at exit the registry went first while that
    // thread still dispatched a late message from the bus, and copying its QDBusMessage and
    // QDBusError arguments printed "Trying to construct an instance of an invalid type" under
    // the one error line (a quarter of the runs without Tivren). A type registered before any
    // D-Bus use makes the registry older than the manager, so it outlives the thread, as Qt
    // itself arranges from 6.5.3 on.
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
