#include "ctl/ReportCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tivrenctl"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = tivren::TivrenCtl::run(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return code;
}
