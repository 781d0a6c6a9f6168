// A process that saves data files, for the crash and full-disk tests:
//   tivren_save_helper loop PATH FIRST   save snapshot FIRST, FIRST+1, ... until killed;
//                                         prints "ready" after the first save
//   tivren_save_helper once PATH N       save snapshot N once; exit 0, or 3 when the save failed
#include "core/datafile/SaveHelperSnapshots.h"
#include "core/datafile/TivrenRepository.h"

#include <QByteArray>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    const QByteArray mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    int index = QByteArray(argv[3]).toInt();
    if (mode == "once") {
        const auto result = tivren::TivrenRepository::writeFile(path, tivren::testing::numberedSnapshot(index));
        if (!result) {
            std::fprintf(stderr, "%s\n", result.error().description.toLocal8Bit().constData());
            return 3;
        }
        return 0;
    }
    if (mode != "loop")
        return 2;
    for (bool first = true;; first = false, ++index) {
        if (!tivren::TivrenRepository::writeFile(path, tivren::testing::numberedSnapshot(index)))
            return 3;
        if (first) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
