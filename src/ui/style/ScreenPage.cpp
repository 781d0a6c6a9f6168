// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/ScreenPage.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

ScreenPage::ScreenPage(const QString& objectName, QWidget* parent)
    : QScrollArea(parent)
{
    setObjectName(objectName + u"ScrollArea"_s);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* content = new QWidget;
    content->setObjectName(objectName + u"ContentWidget"_s);
    m_column = new QVBoxLayout(content);
    m_column->setContentsMargins(margin, margin, margin, margin);
    m_column->setSpacing(spacing);
    m_column->addStretch();
    setWidget(content);
    // The scroll area's own background would show as a slab behind the cards.
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
}

void ScreenPage::addSection(QWidget* section, int stretch)
{
    const int last = m_column->count() - 1;
    const bool endsInStretch = last >= 0 && m_column->itemAt(last)->spacerItem() != nullptr;
    m_column->insertWidget(endsInStretch ? last : m_column->count(), section, stretch);
}

void ScreenPage::fillHeight()
{
    const int last = m_column->count() - 1;
    if (last >= 0 && m_column->itemAt(last)->spacerItem() != nullptr)
        delete m_column->takeAt(last);
}

} // namespace tivren
