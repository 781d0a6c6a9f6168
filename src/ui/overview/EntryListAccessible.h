// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace tivren {

class EntryListView;

// What a screen reader sees of the overview's entry list: a list whose children are the entries
// (named by project, times, notes and hours, described by their day), each with the actions Edit
// and Delete. The rows are painted, not widgets, so their interfaces are made here on demand.
class EntryListAccessible : public QAccessibleWidget
{
public:
    explicit EntryListAccessible(EntryListView* list);
    ~EntryListAccessible() override;

    // The factory for QAccessible::installFactory.
    [[nodiscard]] static QAccessibleInterface* create(const QString& className, QObject* object);

    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

private:
    [[nodiscard]] EntryListView* list() const;

    mutable QHash<int, QAccessible::Id> m_rows;
};

} // namespace tivren
