// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/day/DaySummaryColumn.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "core/timeline/DayGeometry.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr int barHeight = 40;
constexpr int circle = 28;

// The colour at the given opacity, whatever its own.
QColor atAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

QFont weekdayFont(const QFont& base)
{
    return Style::font(TextStyle::caption2, base);
}

} // namespace

DaySummaryColumn::DaySummaryColumn(AppModel& model, QWidget* parent)
    : QAbstractButton(parent)
    , m_model(model)
{
    setObjectName(u"daySummaryColumn"_s);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void DaySummaryColumn::setDay(
    Instant day, const QList<TimeEntry>& dayEntries, const QString& weekday, const QString& date)
{
    m_day = day;
    const InstantRange range = DayGeometry::dayRange(day);
    m_total = BillingEngine::totalDuration(dayEntries, range);
    m_breakdown = projectBreakdown(BillingEngine::filteredEntries(dayEntries, range), m_model);
    m_weekday = m_model.appLocale().toUpper(weekday);
    setText(date);
    setAccessibleName(text() + u", "_s + totalText());
    update();
}

void DaySummaryColumn::setToday(bool today)
{
    if (today == m_today)
        return;
    m_today = today;
    update();
}

QString DaySummaryColumn::totalText() const
{
    if (m_total <= 0)
        return u"\u2014"_s;
    return m_model.localized(Text::en("%@h"), { m_model.decimalString(m_total / 3600.0, 1, 1) });
}

QList<DaySummaryColumn::Share> DaySummaryColumn::projectBreakdown(
    const QList<TimeEntry>& entries, const AppModel& model)
{
    Seconds total = 0;
    QHash<QUuid, Seconds> sums;
    QList<QUuid> order;
    for (const TimeEntry& entry : entries) {
        const Seconds length = std::max(entry.endDate - entry.startDate, 0.0);
        total += length;
        if (!sums.contains(entry.projectID))
            order.append(entry.projectID);
        sums[entry.projectID] += length;
    }
    QList<Share> shares;
    if (total <= 0)
        return shares;
    for (const QUuid& id : order) {
        const std::optional<Project> project = model.project(id);
        shares.append({ id, project ? projectColor(project->colorName) : QColor(Qt::gray), sums.value(id) / total });
    }
    std::stable_sort(shares.begin(), shares.end(), [](const Share& a, const Share& b) {
        return a.fraction > b.fraction;
    });
    return shares;
}

QSize DaySummaryColumn::sizeHint() const
{
    const int height = 10 + QFontMetrics(weekdayFont(font())).height() + 6 + circle + 6
        + QFontMetrics(Style::font(TextStyle::caption, font())).height() + 6 + barHeight + 10;
    return { 72, height };
}

QSize DaySummaryColumn::minimumSizeHint() const
{
    return { 44, sizeHint().height() };
}

void DaySummaryColumn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor accent = palette().color(QPalette::Highlight);
    const QColor text = palette().color(QPalette::WindowText);
    const QColor secondary = Style::secondaryColor(palette());
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (isChecked()) {
        painter.setBrush(atAlpha(accent, 0.1));
        painter.setPen(QPen(atAlpha(accent, 0.5), 1.5));
    } else {
        painter.setBrush(atAlpha(text, 0.04));
        painter.setPen(Qt::NoPen);
    }
    painter.drawRoundedRect(box, 10, 10);
    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(accent, 2));
        painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 9, 9);
    }

    int y = 10;
    const QFont weekday = weekdayFont(font());
    painter.setFont(weekday);
    painter.setPen(secondary);
    const int weekdayHeight = QFontMetrics(weekday).height();
    painter.drawText(QRect(4, y, width() - 8, weekdayHeight), Qt::AlignCenter, m_weekday);
    y += weekdayHeight + 6;

    const QRectF number((width() - circle) / 2.0, y, circle, circle);
    if (m_today) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(atAlpha(accent, 0.15));
        painter.drawEllipse(number);
    }
    painter.setFont(Style::font(TextStyle::body, font(), QFont::Medium));
    painter.setPen(text);
    painter.drawText(number, Qt::AlignCenter, QString::number(LocalCalendar::localDate(m_day).day()));
    y += circle + 6;

    const QFont caption = Style::font(TextStyle::caption, font());
    painter.setFont(caption);
    painter.setPen(secondary);
    const int captionHeight = QFontMetrics(caption).height();
    painter.drawText(QRect(4, y, width() - 8, captionHeight), Qt::AlignCenter, totalText());
    y += captionHeight + 6;

    const QRectF bar(6, y, width() - 12, barHeight);
    painter.setPen(Qt::NoPen);
    if (m_breakdown.isEmpty()) {
        painter.setBrush(atAlpha(secondary, 0.08));
        painter.drawRoundedRect(bar, 3, 3);
        return;
    }
    // Every project keeps at least a sliver; the bar may then run a few points long, which
    // reads better than a project that vanishes.
    qreal top = bar.top();
    for (const Share& share : m_breakdown) {
        const qreal height = std::max(bar.height() * share.fraction, 3.0);
        painter.setBrush(atAlpha(share.color, 0.7));
        painter.drawRoundedRect(QRectF(bar.left(), top, bar.width(), height), 2, 2);
        top += height + 1;
    }
}

} // namespace tivren
