// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/EntryListAccessible.h"

#include "ui/overview/EntryListView.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

// One entry row. It reads everything from the list when asked, so it stays right while the
// list's contents change, and becomes invalid when its index no longer exists.
class EntryRowAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    EntryRowAccessible(EntryListView* list, int index)
        : m_list(list)
        , m_index(index)
    {
    }

    [[nodiscard]] bool isValid() const override { return m_list && m_index < m_list->entryCount(); }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    [[nodiscard]] QAccessibleInterface* focusChild() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_list);
    }
    [[nodiscard]] QAccessibleInterface* child(int) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override { }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return {};
        if (kind == QAccessible::Name) {
            QStringList parts = m_list->entryTexts(m_index);
            parts.removeAll(QString());
            return parts.join(u", "_s);
        }
        if (kind == QAccessible::Description)
            return m_list->dayTexts(m_list->dayOfEntry(m_index)).value(0);
        return {};
    }

    [[nodiscard]] QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_list->entryRect(m_index);
        return QRect(m_list->mapToGlobal(local.topLeft()), local.size());
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.selectable = true;
        const bool current = m_list->currentIndex() == m_index;
        state.selected = current;
        state.focused = current && m_list->hasFocus();
        state.invisible = !m_list->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    // Stable English names for scripts; the user reads the localized ones.
    [[nodiscard]] QStringList actionNames() const override { return { editName(), deleteName() }; }
    [[nodiscard]] QString localizedActionName(const QString& name) const override
    {
        if (!m_list)
            return name;
        return m_list->actionText(name == deleteName() ? EntryListView::Action::remove : EntryListView::Action::edit);
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString& name) const override
    {
        return { name == deleteName() ? u"Delete"_s : u"Return"_s };
    }
    void doAction(const QString& name) override
    {
        if (!isValid())
            return;
        if (name == editName())
            m_list->requestAction(m_index, EntryListView::Action::edit);
        else if (name == deleteName())
            m_list->requestAction(m_index, EntryListView::Action::remove);
    }

    [[nodiscard]] int index() const { return m_index; }

private:
    static QString editName() { return u"Edit"_s; }
    static QString deleteName() { return u"Delete"_s; }

    QPointer<EntryListView> m_list;
    int m_index;
};

} // namespace

EntryListAccessible::EntryListAccessible(EntryListView* list)
    : QAccessibleWidget(list, QAccessible::List)
{
}

EntryListAccessible::~EntryListAccessible()
{
    for (QAccessible::Id id : std::as_const(m_rows))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* EntryListAccessible::create(const QString&, QObject* object)
{
    if (auto* list = qobject_cast<EntryListView*>(object))
        return new EntryListAccessible(list);
    return nullptr;
}

EntryListView* EntryListAccessible::list() const
{
    return static_cast<EntryListView*>(widget());
}

int EntryListAccessible::childCount() const
{
    return list()->entryCount();
}

QAccessibleInterface* EntryListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    auto found = m_rows.constFind(index);
    if (found == m_rows.constEnd())
        found = m_rows.insert(index, QAccessible::registerAccessibleInterface(new EntryRowAccessible(list(), index)));
    return QAccessible::accessibleInterface(*found);
}

int EntryListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
    const int index = m_rows.key(id, -1);
    return index < childCount() ? index : -1;
}

QAccessibleInterface* EntryListAccessible::childAt(int x, int y) const
{
    const QPoint local = list()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i) {
        if (list()->entryRect(i).contains(local))
            return child(i);
    }
    return nullptr;
}

QAccessibleInterface* EntryListAccessible::focusChild() const
{
    return list()->hasFocus() ? child(list()->currentIndex()) : nullptr;
}

} // namespace tivren
