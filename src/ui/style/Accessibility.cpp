// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/Accessibility.h"

#include <QAccessible>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace tivren::Accessibility {

QString withShortcut(const QString& label, const QKeySequence& keys)
{
    if (keys.isEmpty())
        return label;
    return label + u" ("_s + keys.toString(QKeySequence::NativeText) + u')';
}

void announce(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() == description)
        return;
    widget->setAccessibleDescription(description);
    if (widget->hasFocus()) {
        QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace tivren::Accessibility
