// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the journeys that drive the real main window in their own process share: the program built
// the way main.cpp builds it, with stand-ins only for the outside services, on a home of its own.
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/NoIdleMonitor.h"
#include "app/services/NoSessionEvents.h"
#include "app/services/PomodoroSkipBroadcaster.h"
#include "core/datafile/TivrenRepository.h"
#include "support/Fakes.h"
#include "support/WidgetTesting.h"
#include "ui/export/DialogFileChooser.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

namespace tivren::testing {

// Points HOME and the XDG config and data folders into root, also when run by hand; there is no
// Documents folder yet.
[[nodiscard]] inline bool useHomeIn(const QTemporaryDir& root)
{
    for (const auto& [variable, folder] : { std::pair { "HOME", QStringLiteral("home") },
             std::pair { "XDG_CONFIG_HOME", QStringLiteral("config") },
             std::pair { "XDG_DATA_HOME", QStringLiteral("data") } }) {
        if (!QDir().mkpath(root.filePath(folder)))
            return false;
        qputenv(variable, QFile::encodeName(root.filePath(folder)));
    }
    return true;
}

// The running program on the default data file; its file dialogs are parented to its main window.
struct InProcessProgram
{
    InProcessProgram()
    {
        fileChooser.setParentWindow([this]() -> QWidget* {
            return &window;
        });
    }

    TivrenRepository repository;
    SystemClock clock;
    FakeGoogleCalendarService google;
    FakeAppleCalendarService apple;
    FakeNotifier notifier;
    FakeOverlay overlay;
    FakeLoginItems loginItems;
    PomodoroSkipBroadcaster broadcaster;
    DialogFileChooser fileChooser;
    NoIdleMonitor idleMonitor;
    NoSessionEvents sessionEvents;
    AppModel model { AppServices { repository,
                         google,
                         apple,
                         notifier,
                         overlay,
                         loginItems,
                         fileChooser,
                         broadcaster,
                         idleMonitor,
                         sessionEvents,
                         clock },
        AppModel::Options { true, false } };
    MainWindow window { model };
};

// The visible top-level window of that type (a file dialog, wherever its chooser parents it).
template <typename Window> Window* visibleWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Types `path` into the file name field and presses Enter, with the keyboard focus in the field of
// the active dialog (the dialog follows the typing only then).
inline bool typeIntoFileNameField(QFileDialog* dialog, const QString& path)
{
    auto* field = requireChild<QLineEdit>(dialog, QStringLiteral("fileNameEdit"));
    dialog->activateWindow();
    field->setFocus();
    if (!QTest::qWaitForWindowActive(dialog) || !QTest::qWaitFor([field] {
            return field->hasFocus();
        }))
        return false;
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, path);
    QTest::keyClick(field, Qt::Key_Return);
    return true;
}

} // namespace tivren::testing
