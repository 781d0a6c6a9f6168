#include "ui/timeline/TimelineBlock.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"

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

void TimelineBlock::paint(QPainter& painter, QPointF topLeft, const AppModel& model, const QPalette& palette) const
{
    const QRectF rect(topLeft, QSizeF(std::max(width, 0.0), height));
    const QColor base = color();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Style::withAlpha(base, isSelected ? 0.5 : 0.35));
    // The border lies inside the shape.
    const qreal line = isSelected ? 2 : 1;
    painter.setPen(QPen(isSelected ? base : Style::withAlpha(base, 0.5), line));
    painter.drawRoundedRect(rect.adjusted(line / 2, line / 2, -line / 2, -line / 2), 6, 6);

    if (height >= 36) {
        const QRectF text = rect.adjusted(6, 4, -6, -4);
        painter.setClipRect(rect);
        const QFont name = Style::font(TextStyle::caption, painter.font(), QFont::DemiBold);
        const QFontMetricsF nameMetrics(name);
        painter.setFont(name);
        painter.setPen(palette.color(QPalette::WindowText));
        painter.drawText(QRectF(text.topLeft(), QSizeF(text.width(), nameMetrics.height())),
            Qt::AlignLeft | Qt::AlignTop,
            nameMetrics.elidedText(
                project ? project->name : model.localized(Text::en("Unknown")), Qt::ElideRight, text.width()));
        if (height >= 52) {
            const QFont small = Style::font(TextStyle::caption2, painter.font(), QFont::DemiBold);
            const QFontMetricsF smallMetrics(small);
            painter.setFont(small);
            painter.setPen(Style::secondaryColor(palette));
            painter.drawText(
                QRectF(text.left(), text.top() + nameMetrics.height() + 1, text.width(), smallMetrics.height()),
                Qt::AlignLeft | Qt::AlignTop,
                smallMetrics.elidedText(timeSpan(entry, model), Qt::ElideRight, text.width()));
        }
    }
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
    const QRectF text = rect.adjusted(style.horizontalPadding, style.verticalPadding, -style.horizontalPadding, 0);
    if (rect.height() >= style.nameHeight) {
        const QFont name = Style::font(TextStyle::caption, painter.font(), QFont::DemiBold);
        const QFontMetricsF nameMetrics(name);
        painter.setFont(name);
        painter.setPen(palette.color(QPalette::WindowText));
        painter.drawText(QRectF(text.topLeft(), QSizeF(text.width(), nameMetrics.height())),
            Qt::AlignLeft | Qt::AlignTop,
            nameMetrics.elidedText(
                project ? project->name : model.localized(Text::en("Unknown")), Qt::ElideRight, text.width()));
        if (rect.height() >= style.recordingHeight) {
            const QFont small = Style::font(TextStyle::caption2, painter.font(), QFont::DemiBold);
            painter.setFont(small);
            painter.setPen(Style::secondaryColor(palette));
            painter.drawText(
                QRectF(text.left(), text.top() + nameMetrics.height() + 1, text.width(), QFontMetricsF(small).height()),
                Qt::AlignLeft | Qt::AlignTop,
                model.localized(Text::en("Recording...")));
        }
    }
    painter.restore();
}

} // namespace tivren
