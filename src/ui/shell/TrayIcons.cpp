#include "ui/shell/TrayIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace tivren::TrayIcons {
namespace {

constexpr int sizes[] = { 16, 22, 24, 32, 48, 64, 128 };

QPixmap clock(int size, bool filled)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal stroke = std::max(1.5, size / 11.0);
    const QRectF face =
        QRectF(0, 0, size, size).adjusted(stroke / 2 + 0.5, stroke / 2 + 0.5, -stroke / 2 - 0.5, -stroke / 2 - 0.5);
    // A light face with a dark rim reads on dark and light panels alike; running is the accent colour.
    const QColor rim(0x24, 0x1f, 0x31);
    const QColor fill = filled ? QColor(0x35, 0x84, 0xe4) : QColor(0xfa, 0xfa, 0xfa);
    const QColor hands = filled ? QColor(Qt::white) : rim;
    p.setPen(QPen(rim, stroke));
    p.setBrush(fill);
    p.drawEllipse(face);
    const QPointF centre = face.center();
    const qreal radius = face.width() / 2;
    p.setPen(QPen(hands, stroke, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.58)); // minute hand at twelve
    p.drawLine(centre, centre + QPointF(radius * 0.42, radius * 0.12)); // hour hand a little past three
    return pixmap;
}

QIcon clockIcon(bool filled)
{
    QIcon icon;
    for (int size : sizes)
        icon.addPixmap(clock(size, filled));
    return icon;
}

} // namespace

QIcon idle()
{
    return clockIcon(false);
}

QIcon running()
{
    return clockIcon(true);
}

QIcon colorDot(const QColor& color)
{
    QIcon icon;
    for (int size : { 16, 32, 48 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        const qreal dot = size / 2.0; // an 8-point dot in a 16-point icon
        p.drawEllipse(QRectF((size - dot) / 2, (size - dot) / 2, dot, dot));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tivren::TrayIcons
