// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QString>

class QWidget;

namespace tivren {

// The program's keyboard shortcuts, in one place so a tooltip always names the key that works.
namespace Shortcuts {
[[nodiscard]] inline QKeySequence quit()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Q);
}
[[nodiscard]] inline QKeySequence closeWindow()
{
    return QKeySequence(Qt::CTRL | Qt::Key_W);
}
[[nodiscard]] inline QKeySequence newProject()
{
    return QKeySequence(Qt::CTRL | Qt::Key_N);
}
[[nodiscard]] inline QKeySequence exportCSV()
{
    return QKeySequence(Qt::CTRL | Qt::Key_E);
}
// The n-th section of the main window, from 0.
[[nodiscard]] inline QKeySequence section(int index)
{
    return QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + index));
}
// Starts or stops the timer from the overview; the main Return key does the same as Enter.
[[nodiscard]] inline QKeySequence toggleTimer()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Enter);
}
[[nodiscard]] inline QKeySequence toggleTimerReturn()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Return);
}
} // namespace Shortcuts

namespace Accessibility {

// "Start Tracking (Ctrl+Enter)": a control's label with the keys that do the same, in the
// platform's own spelling of the keys, so no translation is needed per shortcut.
[[nodiscard]] QString withShortcut(const QString& label, const QKeySequence& keys);

// Sets what a canvas's focused item is, and tells a screen reader at once when the canvas has the
// focus (a canvas has no child widget whose focus it could follow).
void announce(QWidget* widget, const QString& description);

} // namespace Accessibility
} // namespace tivren
