// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QWidget>

#include <optional>
#include <vector>

namespace tivren {

class AppModel;

// One day of the overview's entry list: its entries, latest start first.
struct EntryListDay
{
    QDate day;
    QList<TimeEntry> entries;
};

// The overview's time entries, grouped by day: a header per day with its total, then one row
// per entry with its duration bar, project, time span, notes, hours and the Edit and Delete
// actions.
//
// A year of entries is thousands of rows, so nothing here is a widget per row: rows are laid
// out as numbers once per change and painted only where they are visible, and their texts are
// written the first time a row is seen. The widget is as tall as all its rows and lives in the
// overview's scroll area.
//
// Keyboard: Up and Down move the current entry, Return edits it, Delete deletes it.
class EntryListView : public QWidget
{
    Q_OBJECT

public:
    enum class Action
    {
        edit,
        remove,
    };

    explicit EntryListView(AppModel& model, QWidget* parent = nullptr);
    ~EntryListView() override;

    // billed: billed seconds per entry id; an entry missing from it bills its actual duration.
    // longest: the duration that fills a whole bar.
    void setDays(QList<EntryListDay> days, QHash<QUuid, Seconds> billed, Seconds longest);

    [[nodiscard]] int entryCount() const { return int(m_rows.size()) - int(m_days.size()); }
    [[nodiscard]] int dayCount() const { return int(m_days.size()); }
    // The entry of a row, counting entries only, from the top.
    [[nodiscard]] const TimeEntry& entryAt(int index) const;
    // Where an entry's action is drawn, in this widget's coordinates; empty for a bad index.
    [[nodiscard]] QRect actionRect(int index, Action action) const;
    // The texts shown for a row, as the user reads them: project, span, notes, hours, billed.
    [[nodiscard]] QStringList entryTexts(int index) const;
    // The header of a day: its date and its total.
    [[nodiscard]] QStringList dayTexts(int day) const;
    [[nodiscard]] int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);
    // The band of an entry's row, in this widget's coordinates; empty for a bad index.
    [[nodiscard]] QRect entryRect(int index) const;
    // The day (as dayTexts counts them) an entry belongs to; -1 for a bad index.
    [[nodiscard]] int dayOfEntry(int index) const;
    [[nodiscard]] QString actionText(Action action) const;
    // As a click on the entry's action does.
    void requestAction(int index, Action action);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

Q_SIGNALS:
    void editRequested(const tivren::TimeEntry& entry);
    void deleteRequested(const tivren::TimeEntry& entry);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // An entry's own length; never negative, whatever the stored times say.
    [[nodiscard]] static Seconds actualDuration(const TimeEntry& entry);
    struct Day
    {
        QDate date;
        Seconds total = 0;
        QString title;
        int count = 0; // its entries, which follow the previous day's in m_entries
    };
    struct Texts
    {
        QString project;
        QString span;
        QString notes;
        QString hours;
        QString billed; // empty when there is no billed line
        bool knownProject = false;
        QColor color;
    };
    struct Row
    {
        int day = 0;
        int entry = -1; // index into m_entries; -1 for a day header
        int top = 0;
        int height = 0;
    };
    struct Hit
    {
        int index = -1;
        Action action = Action::edit;
        bool operator==(const Hit&) const = default;
    };

    void relayout();
    [[nodiscard]] const Texts& texts(int entry) const;
    [[nodiscard]] int rowOfEntry(int index) const;
    struct LineHeights
    {
        int caption = 0;
        int callout = 0;
        int hours = 0;
    };
    [[nodiscard]] LineHeights lineHeights() const;
    [[nodiscard]] int entryHeight(int entry, const LineHeights& lines) const;
    // The billed seconds to show under the hours: only for a rated project, when they differ.
    [[nodiscard]] std::optional<Seconds> billedLine(int entry) const;
    [[nodiscard]] int actionColumnWidth() const;
    // The row at y (the header or entry whose band starts at or above it), or none above the first.
    [[nodiscard]] const Row* rowAt(int y) const;
    [[nodiscard]] std::optional<Hit> hitAt(QPoint point) const;
    void paintHeader(QPainter& painter, const Row& row) const;
    void paintEntry(QPainter& painter, const Row& row, bool first) const;
    void paintActions(QPainter& painter, int entry) const;
    void trigger(Hit hit);
    void revealCurrent();
    // Tells a screen reader which entry is current while the list has the focus.
    void announceCurrent();

    AppModel& m_model;
    QList<Day> m_days;
    QList<TimeEntry> m_entries;
    QHash<QUuid, Seconds> m_billed;
    QHash<QUuid, Project> m_projects;
    Seconds m_longest = 1;
    mutable std::vector<std::optional<Texts>> m_texts;
    std::vector<Row> m_rows;
    std::vector<int> m_entryRows; // row of each entry index
    int m_height = 0;
    int m_current = -1;
    std::optional<Hit> m_hover;
    std::optional<Hit> m_pressed;
};

} // namespace tivren
