// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for scripts/bench-desktop: what any Qt Widgets tray app costs at the least. A tray
// icon, a window with a label and a one-second timer that updates it, nothing else.
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QSystemTrayIcon tray(app.style()->standardIcon(QStyle::SP_ComputerIcon));
    tray.show();
    QLabel label(u"0"_s);
    label.setWindowTitle(u"Minimal tray app"_s);
    label.resize(320, 200);
    label.show();
    int seconds = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label, [&] {
        label.setNum(++seconds);
    });
    timer.start(1000);
    return QApplication::exec();
}
