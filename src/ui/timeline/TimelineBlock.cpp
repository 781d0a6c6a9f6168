// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/TimelineBlock.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"
#include "ui/timeline/BlockShapeCache.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

QColor colorOf(const std::optional<Project>& project)
{
    return project ? projectColor(project->colorName) : QColor(Qt::gray);
}

// The project's name, or a word for a project that is gone.
QString projectName(const std::optional<Project>& project, const AppModel& model)
{
    return project ? project->name : model.localized(Text::en("Unknown"));
}

// The project's name on the first line of text and, when given, a quieter detail below it.
void paintTexts(
    QPainter& painter, const QRectF& text, const QString& name, const QString& detail, const QPalette& palette)
{
    const QFont nameFont = Style::font(TextStyle::caption, painter.font(), QFont::DemiBold);
    const QFontMetricsF nameMetrics(nameFont);
    painter.setFont(nameFont);
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(QRectF(text.topLeft(), QSizeF(text.width(), nameMetrics.height())),
        Qt::AlignLeft | Qt::AlignTop,
        nameMetrics.elidedText(name, Qt::ElideRight, text.width()));
    if (detail.isEmpty())
        return;
    const QFont detailFont = Style::font(TextStyle::caption2, nameFont, QFont::DemiBold);
    const QFontMetricsF detailMetrics(detailFont);
    painter.setFont(detailFont);
    painter.setPen(Style::secondaryColor(palette));
    painter.drawText(QRectF(text.left(), text.top() + nameMetrics.height() + 1, text.width(), detailMetrics.height()),
        Qt::AlignLeft | Qt::AlignTop,
        detailMetrics.elidedText(detail, Qt::ElideRight, text.width()));
}

BlockShapeCache::Style shapeStyle(const QColor& base, bool isSelected)
{
    return { Style::withAlpha(base, isSelected ? 0.5 : 0.35),
        isSelected ? base : Style::withAlpha(base, 0.5),
        isSelected ? 2.0 : 1.0 };
}

void paintShape(QPainter& painter, const QRectF& rect, const BlockShapeCache::Style& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(style.fill);
    // The border lies inside the shape.
    const qreal line = style.borderWidth;
    painter.setPen(QPen(style.border, line));
    painter.drawRoundedRect(rect.adjusted(line / 2, line / 2, -line / 2, -line / 2), style.radius, style.radius);
    painter.restore();
}

} // namespace

QString shortTime(Instant instant, const AppModel& model)
{
    return model.appLocale().toString(
        QDateTime::fromMSecsSinceEpoch(qint64(instant * 1000.0)).time(), QLocale::ShortFormat);
}

QString timeSpan(const TimeEntry& entry, const AppModel& model)
{
    return shortTime(entry.startDate, model) + u" \u2013 "_s + shortTime(entry.endDate, model);
}

QColor TimelineBlock::color() const
{
    return colorOf(project);
}

QString TimelineBlock::accessibleLabel(const AppModel& model) const
{
    return model.localized(Text::en("%@: %@ – %@"),
        { project ? project->name : model.localized(Text::en("Unknown")),
            shortTime(entry.startDate, model),
            shortTime(entry.endDate, model) });
}

void TimelineBlock::paint(
    QPainter& painter, QPointF topLeft, const AppModel& model, const QPalette& palette, BlockShapeCache* shapes) const
{
    const QRectF rect(topLeft, QSizeF(std::max(width, 0.0), height));
    const BlockShapeCache::Style style = shapeStyle(color(), isSelected);
    if (shapes)
        shapes->draw(painter, rect, style, [&style](QPainter& shapePainter, const QRectF& shapeRect) {
            paintShape(shapePainter, shapeRect, style);
        });
    else
        paintShape(painter, rect, style);
    if (height < 36)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(rect);
    paintTexts(painter,
        rect.adjusted(6, 4, -6, -4),
        projectName(project, model),
        height >= 52 ? timeSpan(entry, model) : QString(),
        palette);
    painter.restore();
}

void paintRunningBlock(QPainter& painter,
    const QRectF& rect,
    const std::optional<Project>& project,
    const AppModel& model,
    const QPalette& palette,
    const RunningBlockStyle& style)
{
    const QColor base = colorOf(project);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Style::withAlpha(base, 0.3));
    QPen dashed(base, 1.5);
    dashed.setDashPattern({ 4 / 1.5, 3 / 1.5 }); // in units of the line width
    painter.setPen(dashed);
    painter.drawRoundedRect(rect.adjusted(0.75, 0.75, -0.75, -0.75), 6, 6);
    painter.setClipRect(rect);
    if (rect.height() >= style.nameHeight) {
        paintTexts(painter,
            rect.adjusted(style.horizontalPadding, style.verticalPadding, -style.horizontalPadding, 0),
            projectName(project, model),
            rect.height() >= style.recordingHeight ? model.localized(Text::en("Recording...")) : QString(),
            palette);
    }
    painter.restore();
}

} // namespace tivren
