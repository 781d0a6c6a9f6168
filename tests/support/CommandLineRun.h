#pragma once

// Running a real command-line program from a test (tivrenctl), while the test's own event loop
// keeps turning, so that the test can serve the bus calls the program makes.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>

namespace tivren::testing {

struct CommandLineRun
{
    int code; // -1: crashed, or killed after the time limit
    QString out;
    QString err;
};

// In the time zone given or the test's own; standard output to a file if one is given.
inline CommandLineRun runCommandLine(
    const QString& program, const QStringList& args, const QString& zone = {}, const QString& outputFile = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!zone.isEmpty())
        environment.insert(QStringLiteral("TZ"), zone);
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(program, args);
    const QDeadlineTimer deadline(30000);
    while (!process.waitForFinished(5) && process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QCoreApplication::processEvents();
    process.kill();
    process.waitForFinished();
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

} // namespace tivren::testing
