// SPDX-License-Identifier: GPL-3.0-or-later
// A process that saves data files, for the crash and full-disk tests:
//   tivren_save_helper loop PATH FIRST   save snapshot FIRST, FIRST+1, ... until killed;
//                                         prints "ready" after the first save
//   tivren_save_helper once PATH N       save snapshot N once; exit 0, or 3 when the save failed
#include "core/datafile/SaveHelperSnapshots.h"
#include "core/datafile/TivrenRepository.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    const QByteArray mode = argc == 4 ? argv[1] : "";
    if (mode != "once" && mode != "loop")
        return 2;
    const QString path = QString::fromLocal8Bit(argv[2]);
    const int first = QByteArray(argv[3]).toInt();
    for (int index = first;; ++index) {
        const auto saved = tivren::TivrenRepository::writeFile(path, tivren::testing::numberedSnapshot(index));
        if (!saved) {
            std::fprintf(stderr, "%s\n", saved.error().description.toLocal8Bit().constData());
            return 3;
        }
        if (mode == "once")
            return 0;
        if (index == first) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
