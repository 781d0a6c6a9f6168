// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests of Tivren's screens, forms and shell windows share: a model and the view under test.

#include "support/ModelHarness.h"
#include "support/WidgetTesting.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <memory>

// Renders are made only when a folder is given.
#define TIVREN_RENDER_DIR_OR_SKIP(dir)                                                                                 \
    const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");                                                 \
    if (dir.isEmpty())                                                                                                 \
    QSKIP("TIVREN_SCREENSHOT_DIR not set")

namespace tivren::testing {

// What a screen's test holds: a model harness and the view under test, with lookups of the
// view's named children. A test class derives from QObject and this.
template <typename View> class ViewFixture
{
protected:
    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<View> view;

    template <typename T = QWidget> T* child(const QString& name) const { return requireChild<T>(view.get(), name); }
    // The text of a label or a button.
    QString text(const QString& name) const { return child(name)->property("text").toString(); }
    // Whether the child would be seen were the view on screen.
    bool shown(const QString& name) const { return child(name)->isVisibleTo(view.get()); }
    // The view goes first: it holds on to the model.
    void stop()
    {
        view.reset();
        h.reset();
    }

    // Switches the app language and lets the view follow.
    void setLanguage(AppLanguagePreference language)
    {
        testing::setLanguage(*h->model, language);
        QCoreApplication::processEvents();
    }
};

// The items of a picker as the user reads them.
inline QStringList comboItems(const QComboBox* box)
{
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

// Picks the item with that data, as a user choosing it from the popup; false when there is none.
inline bool chooseData(QComboBox* box, const QVariant& data)
{
    box->setCurrentIndex(box->findData(data));
    return box->currentIndex() >= 0;
}

// Shows widget and saves a render of it as dir/tivren-<name>.png.
inline bool renderTo(QWidget& widget, const QString& dir, const QString& name)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget)
        && widget.grab().save(QDir(dir).filePath(QStringLiteral("tivren-") + name + QStringLiteral(".png")));
}

} // namespace tivren::testing
