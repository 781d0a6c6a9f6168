// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"
#include "ui/overview/DateRangePresets.h"

#include <QList>
#include <QWidget>

#include <functional>
#include <utility>

class QCalendarWidget;
class QFrame;
class QLabel;
class QPushButton;
class QToolButton;

namespace tivren {

// The overview's date range control: a button showing the range ("Mar 2, 2026 – Mar 8, 2026")
// that opens a popup with the quick ranges and a start and an end calendar. Every choice in the
// popup takes effect at once; there is nothing to confirm, and closing the popup keeps it.
//
// The range is the caller's: setRange() shows it, rangeChanged() reports the user's edits. The
// picker never normalises: presets write starts of days, and the calendars change only the date
// of the stored instant, keeping its time of day. Texts follow the widget's locale().
class DateRangePicker : public QWidget
{
    Q_OBJECT

public:
    explicit DateRangePicker(QWidget* parent = nullptr);
    ~DateRangePicker() override;

    [[nodiscard]] Instant start() const { return m_start; }
    [[nodiscard]] Instant end() const { return m_end; }
    // Shows the caller's range without emitting rangeChanged(): the caller already knows it, and
    // a two-way binding must not echo its own writes back.
    void setRange(Instant start, Instant end);

    // Where the quick ranges read "now"; the system clock until set (the overview passes the
    // model's clock so tests and the app agree on today).
    void setClock(std::function<Instant()> now);

    [[nodiscard]] bool isPopupVisible() const;

public Q_SLOTS:
    void showPopup();
    void hidePopup();

Q_SIGNALS:
    // The user chose a quick range or a date; emitted once per edit, only when the range changed.
    void rangeChanged(tivren::Instant start, tivren::Instant end);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildButton();
    void buildPopup();
    void retranslate();
    void retranslatePopup();
    void restyle();
    void restylePopup();
    void showRange();
    void applyPreset(DateRanges::Preset preset);
    void write(Instant start, Instant end);
    [[nodiscard]] QPoint popupPosition() const;

    Instant m_start = 0;
    Instant m_end = 0;
    std::function<Instant()> m_now;

    QPushButton* m_button = nullptr;
    QLabel* m_iconLabel = nullptr;
    QLabel* m_rangeLabel = nullptr;
    QLabel* m_chevronLabel = nullptr;

    QFrame* m_popup = nullptr;
    QLabel* m_quickRangesLabel = nullptr;
    QList<std::pair<DateRanges::Preset, QToolButton*>> m_presetButtons;
    QLabel* m_startLabel = nullptr;
    QLabel* m_endLabel = nullptr;
    QCalendarWidget* m_startCalendar = nullptr;
    QCalendarWidget* m_endCalendar = nullptr;
};

} // namespace tivren
