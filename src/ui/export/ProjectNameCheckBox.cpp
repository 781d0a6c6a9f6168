// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/ProjectNameCheckBox.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

ProjectNameCheckBox::ProjectNameCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ProjectNameCheckBox::setName(const QString& name)
{
    m_name = name;
    setAccessibleName(name);
    showName();
}

void ProjectNameCheckBox::resizeEvent(QResizeEvent* event)
{
    QCheckBox::resizeEvent(event);
    showName();
}

void ProjectNameCheckBox::changeEvent(QEvent* event)
{
    QCheckBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        showName();
}

void ProjectNameCheckBox::showName()
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int available = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this).width();
    const QString shown = fontMetrics().elidedText(m_name, Qt::ElideRight, std::max(available, 0));
    QString escaped = shown;
    escaped.replace(u'&', u"&&"_s);
    if (text() != escaped)
        setText(escaped);
    setToolTip(shown == m_name ? QString() : m_name);
}

} // namespace tivren
