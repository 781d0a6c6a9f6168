// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace tivren::testing {

// The named child of root, or the test stops with the name: a missing object name is a broken
// test, not a failed check.
template <typename T = QWidget> T* requireChild(const QObject* root, const QString& name)
{
    auto* found = root->findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

// Saves a render of widget under a dark palette, then puts the application's palette back.
inline bool grabDark(QWidget& widget, const QString& path)
{
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0));
    dark.setColor(QPalette::Link, QColor(0x78, 0xae, 0xed));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    const bool saved = widget.grab().save(path);
    QApplication::setPalette(light);
    QCoreApplication::processEvents();
    return saved;
}

} // namespace tivren::testing
