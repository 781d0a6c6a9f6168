#pragma once

#include "support/LanguageSwitch.h"
#include "support/ModelHarness.h"
#include "support/WidgetTesting.h"

#include <QCoreApplication>

#include <memory>

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
    // Switches the app language and lets the view follow.
    void setLanguage(AppLanguagePreference language)
    {
        testing::setLanguage(*h->model, language);
        QCoreApplication::processEvents();
    }
};

} // namespace tivren::testing
