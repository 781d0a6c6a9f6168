// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

namespace tivren {

class WeekDayColumnHeader;

// The header row of the week: an empty cell over the hour labels, then the seven day headers over
// their columns, placed on the canvas's own column edges.
class WeekHeaderRow : public QWidget
{
    Q_OBJECT

public:
    explicit WeekHeaderRow(QWidget* parent = nullptr);

    [[nodiscard]] WeekDayColumnHeader* header(int day) const { return m_headers[size_t(day)]; }
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    // The width of the hour labels' column of the canvas below, left empty here.
    void setGutter(qreal gutter);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeHeaders();

    qreal m_gutter;
    std::array<WeekDayColumnHeader*, 7> m_headers {};
};

} // namespace tivren
