#include "ui/timeline/WeekTimelineView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "app/text/DayFormat.h"
#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"
#include "core/timeline/OverlapLayout.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/Style.h"
#include "ui/timeline/TimelineBlock.h"

#include <QDateTime>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextLayout>
#include <QToolTip>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr qreal gutter = 54;
constexpr int canvasHeight = 560;
constexpr qreal minimumBlockHeight = 14;
constexpr int revealMilliseconds = 200;
constexpr int notesWidth = 200;
constexpr int notesLines = 3;
constexpr int nameWidth = 280;

const QString emDash = u"\u2014"_s;

QFont scaled(QFont base, qreal factor, QFont::Weight weight = QFont::Normal)
{
    base.setPointSizeF(base.pointSizeF() * factor);
    base.setWeight(weight);
    return base;
}

QFont caption2Font(const QFont& base)
{
    return scaled(base, 0.8, QFont::DemiBold);
}

QFont hourLabelFont(const QFont& base)
{
    return scaled(base, 0.8);
}

QFont totalFont(const QFont& base)
{
    return Style::monospacedFont(scaled(base, 0.82));
}

// Hours since the local midnight as the clock on the wall shows them: 14:30 is 14.5.
double hourOfDay(Instant instant)
{
    const QTime time = QDateTime::fromMSecsSinceEpoch(qint64(std::floor(instant * 1000.0))).time();
    return time.hour() + time.minute() / 60.0 + time.second() / 3600.0;
}

struct HourSpan
{
    double start = 0;
    double end = 0;
};

// The part of start..end on the day that begins at dayStart and ends at nextDay, in hours of that
// day: time before the day starts at 0, time after it ends at 24.
HourSpan hoursOnDay(Instant start, Instant end, Instant dayStart, Instant nextDay)
{
    return { start <= dayStart ? 0.0 : hourOfDay(start), end >= nextDay ? 24.0 : hourOfDay(end) };
}

struct Extent
{
    double min = 24;
    double max = 0;
    bool any = false;

    void add(HourSpan span)
    {
        min = std::min({ min, span.start, span.end });
        max = std::max({ max, span.start, span.end });
        any = true;
    }
};

HourAxis axisOf(const Extent& extent)
{
    if (!extent.any)
        return {};
    HourAxis axis { std::max(std::floor(extent.min) - 1, 0.0), std::min(std::ceil(extent.max) + 1, 24.0) };
    if (axis.end - axis.start < 1) {
        axis.end = std::min(axis.start + 1, 24.0);
        axis.start = axis.end - 1;
    }
    return axis;
}

// The seven days of the week beginning at weekStart, by calendar day so that a day of 23 or 25
// hours is still one column; starts[7] is the next Monday.
struct WeekDays
{
    std::array<QDate, 7> dates;
    std::array<Instant, 8> starts {};

    explicit WeekDays(Instant weekStart)
    {
        const QDate monday = LocalCalendar::localDate(weekStart);
        for (int i = 0; i < 8; ++i) {
            const QDate date = monday.addDays(i);
            starts[size_t(i)] = date.isValid() ? LocalCalendar::startOfDay(date) : weekStart;
            if (i < 7)
                dates[size_t(i)] = date;
        }
    }

    [[nodiscard]] InstantRange dayRange(int day) const
    {
        const Instant start = starts[size_t(day)];
        return { start, std::max(LocalCalendar::lastSecondOfDay(start), start) };
    }
    [[nodiscard]] InstantRange weekRange() const { return { starts[0], dayRange(6).upper }; }
    [[nodiscard]] int indexOf(QDate date) const
    {
        const auto it = std::find(dates.begin(), dates.end(), date);
        return it == dates.end() ? -1 : int(it - dates.begin());
    }
};

// The running timer when it started on one of the week's days: its column and hours.
std::optional<std::pair<int, HourSpan>> runningOnWeek(
    const WeekDays& days, const std::optional<ActiveTimerSession>& session, Instant now)
{
    if (!session)
        return std::nullopt;
    const int day = days.indexOf(LocalCalendar::localDate(session->startDate));
    if (day < 0)
        return std::nullopt;
    const HourSpan hours = hoursOnDay(
        session->startDate, std::max(now, session->startDate), days.starts[size_t(day)], days.starts[size_t(day) + 1]);
    return std::pair { day, hours };
}

// Notes in a narrow column: wrapped to a few lines, the last one ending in an ellipsis when there
// is more; the whole text is the tooltip then.
class NotesLabel : public QWidget
{
public:
    explicit NotesLabel(QWidget* parent)
        : QWidget(parent)
    {
        setForegroundRole(QPalette::PlaceholderText);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString& text)
    {
        m_text = text;
        relayout();
    }

    [[nodiscard]] QSize sizeHint() const override
    {
        int width = 0;
        for (const QString& line : m_lines)
            width = std::max(width, fontMetrics().horizontalAdvance(line));
        return { std::min(width + 1, notesWidth), int(m_lines.size()) * fontMetrics().lineSpacing() };
    }
    // A narrow window squeezes the lines, which then end in an ellipsis each.
    [[nodiscard]] QSize minimumSizeHint() const override
    {
        return { std::min(sizeHint().width(), 60), sizeHint().height() };
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        const int lineHeight = fontMetrics().lineSpacing();
        for (qsizetype i = 0; i < m_lines.size(); ++i)
            painter.drawText(QRect(0, int(i) * lineHeight, width(), lineHeight),
                Qt::AlignLeft | Qt::AlignVCenter,
                fontMetrics().elidedText(m_lines[i], Qt::ElideRight, width()));
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            relayout();
        QWidget::changeEvent(event);
    }

private:
    void relayout()
    {
        m_lines.clear();
        QString text = m_text;
        text.replace(u'\n', QChar::LineSeparator);
        QTextLayout layout(text, font());
        layout.beginLayout();
        bool truncated = false;
        while (true) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(notesWidth);
            if (m_lines.size() == notesLines - 1) {
                QString rest = text.mid(line.textStart());
                const bool more = line.textStart() + line.textLength() < text.size();
                rest.replace(QChar::LineSeparator, u' ');
                m_lines.append(fontMetrics().elidedText(rest, Qt::ElideRight, notesWidth));
                truncated = more;
                break;
            }
            m_lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        setToolTip(truncated ? m_text : QString());
        updateGeometry();
        update();
    }

    QString m_text;
    QStringList m_lines;
};

// A project name: whole while there is room (up to a limit), else ending in an ellipsis, with the
// whole name as the tooltip then.
class NameLabel : public QLabel
{
public:
    explicit NameLabel(QWidget* parent)
        : QLabel(parent)
    {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    void setFullText(const QString& text)
    {
        m_text = text;
        updateGeometry();
        elide();
    }
    [[nodiscard]] QSize sizeHint() const override
    {
        // A pixel of slack: text exactly as wide as its label is elided otherwise.
        return { std::min(fontMetrics().horizontalAdvance(m_text) + 2, nameWidth), QLabel::sizeHint().height() };
    }
    [[nodiscard]] QSize minimumSizeHint() const override
    {
        return { std::min(sizeHint().width(), 60), QLabel::sizeHint().height() };
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        elide();
    }

private:
    void elide()
    {
        const QString shown = fontMetrics().elidedText(m_text, Qt::ElideRight, std::max(width() - 1, 0));
        if (shown != text())
            setText(shown);
        setToolTip(shown == m_text ? QString() : m_text);
    }

    QString m_text;
};

// A calendar page with a clock on its corner, for the empty week; drawn, as icon themes rarely
// have one. The grey reads on light and dark backgrounds alike.
QIcon calendarClockIcon()
{
    const QColor grey(0x8a, 0x8a, 0x8a);
    return drawnIcon({ 32, 48 }, [&](QPainter& painter, int size) {
        painter.scale(size / 32.0, size / 32.0);
        painter.setPen(QPen(grey, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(3, 6, 22, 20), 3, 3);
        painter.drawLine(QPointF(3, 12), QPointF(25, 12));
        painter.drawLine(QPointF(9, 3), QPointF(9, 8));
        painter.drawLine(QPointF(19, 3), QPointF(19, 8));
        // The clock covers the page's corner.
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(23, 23), 9, 9);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(grey, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawEllipse(QPointF(23, 23), 7, 7);
        painter.drawPolyline(QList<QPointF> { { 23, 19 }, { 23, 23 }, { 26, 25 } });
    });
}

QPushButton* smallButton(const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFont(Style::captionFont(button->font()));
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return button;
}

} // namespace

// ---- the layout of a week ----------------------------------------------------------------------

// One entry's block in one day column.
struct WeekPiece
{
    TimelineBlock block;
    int day = 0;
    int slotIndex = 0;
    int totalSlots = 1;
    HourSpan hours;
    QRectF rect;
};

struct WeekRunning
{
    int day = 0;
    HourSpan hours;
    std::optional<Project> project;
    QRectF rect;
};

struct WeekTimelineLayout
{
    WeekDays days { 0 };
    QList<TimeEntry> entries; // the week's
    std::array<Seconds, 7> totals {};
    std::vector<WeekPiece> pieces; // day by day, earliest first
    std::optional<WeekRunning> running;
    Extent entryExtent;
    HourAxis axis;
    QList<std::pair<int, QString>> hourLabels;
    QDate today;
    int todayColumn = -1;
};

// ---- header --------------------------------------------------------------------------------------

WeekDayColumnHeader::WeekDayColumnHeader(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"weekDayColumnHeader"_s);
}

void WeekDayColumnHeader::setContent(
    QDate day, bool isToday, Seconds totalSeconds, QString weekday, QString dayNumber, QString total)
{
    if (day == m_day && isToday == m_isToday && totalSeconds == m_totalSeconds && weekday == m_weekday
        && dayNumber == m_dayNumber && total == m_total)
        return;
    m_day = day;
    m_isToday = isToday;
    m_totalSeconds = totalSeconds;
    m_weekday = std::move(weekday);
    m_dayNumber = std::move(dayNumber);
    m_total = std::move(total);
    setAccessibleName(m_weekday + u' ' + m_dayNumber + u", "_s + m_total);
    update();
}

QSize WeekDayColumnHeader::sizeHint() const
{
    const QFontMetrics weekday(caption2Font(font()));
    const QFontMetrics total(totalFont(font()));
    const int width = std::max({ weekday.horizontalAdvance(m_weekday), total.horizontalAdvance(m_total), 26 });
    return { width + 4, weekday.height() + 4 + 26 + 4 + total.height() };
}

QSize WeekDayColumnHeader::minimumSizeHint() const
{
    return { 26, sizeHint().height() };
}

void WeekDayColumnHeader::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor secondary = Style::secondaryColor(pal);
    const QColor accent = pal.color(QPalette::Highlight);
    const int w = width();

    const QFont weekdayFont = caption2Font(font());
    const QFontMetrics weekday(weekdayFont);
    painter.setFont(weekdayFont);
    painter.setPen(secondary);
    painter.drawText(QRect(0, 0, w, weekday.height()),
        Qt::AlignHCenter | Qt::AlignVCenter,
        weekday.elidedText(m_weekday, Qt::ElideRight, w));

    const int circleTop = weekday.height() + 4;
    const QRect number((w - 26) / 2, circleTop, 26, 26);
    QFont numberFont = font();
    if (m_isToday) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawEllipse(QRectF(number));
        numberFont.setWeight(QFont::Bold);
        painter.setPen(pal.color(QPalette::HighlightedText));
    } else {
        numberFont.setWeight(QFont::Medium);
        painter.setPen(pal.color(QPalette::WindowText));
    }
    painter.setFont(numberFont);
    painter.drawText(number, Qt::AlignCenter, m_dayNumber);

    const QFont totalsFont = totalFont(font());
    const QFontMetrics total(totalsFont);
    painter.setFont(totalsFont);
    painter.setPen(m_isToday && m_totalSeconds > 0 ? accent : secondary);
    painter.drawText(QRect(0, circleTop + 26 + 4, w, total.height()),
        Qt::AlignHCenter | Qt::AlignVCenter,
        total.elidedText(m_total, Qt::ElideRight, w));
}

// The header row: an empty cell over the hour labels, then the seven day headers over their
// columns, placed on the canvas's own column edges.
class WeekHeaderRow : public QWidget
{
public:
    explicit WeekHeaderRow(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(u"columnHeadersRow"_s);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        for (auto& header : m_headers)
            header = new WeekDayColumnHeader(this);
    }

    [[nodiscard]] WeekDayColumnHeader* header(int day) const { return m_headers[size_t(day)]; }
    [[nodiscard]] QSize sizeHint() const override
    {
        int width = 0;
        for (WeekDayColumnHeader* header : m_headers)
            width = std::max(width, header->sizeHint().width());
        return { int(gutter) + 7 * width, m_headers[0]->sizeHint().height() };
    }
    [[nodiscard]] QSize minimumSizeHint() const override
    {
        return { int(gutter) + 7 * 26, m_headers[0]->sizeHint().height() };
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        const qreal column = std::max((width() - gutter) / 7.0, 0.0);
        for (int i = 0; i < 7; ++i) {
            const int left = int(std::round(gutter + column * i));
            const int right = int(std::round(gutter + column * (i + 1)));
            m_headers[size_t(i)]->setGeometry(left, 0, right - left, height());
        }
        QWidget::resizeEvent(event);
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            updateGeometry();
        QWidget::changeEvent(event);
    }

private:
    std::array<WeekDayColumnHeader*, 7> m_headers {};
};

// ---- canvas --------------------------------------------------------------------------------------

// The painted week: it holds no state of its own and hands painting, clicks and keys to the view.
class WeekCanvas : public QWidget
{
public:
    WeekCanvas(WeekTimelineView& view, QWidget* parent)
        : QWidget(parent)
        , m_view(view)
    {
        setObjectName(u"weekCanvas"_s);
        setFixedHeight(canvasHeight);
        setMinimumWidth(int(gutter) + 7 * 30);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
    }

    // The focus ring shows while the keyboard is in use, not after a click.
    [[nodiscard]] bool showsFocus() const { return hasFocus() && m_keyboardFocus; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        m_view.paintArea(painter, QRectF(event->rect()));
    }
    void resizeEvent(QResizeEvent* event) override
    {
        m_view.layoutBlocks();
        QWidget::resizeEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (m_view.pieceAt(event->position()) >= 0)
            setCursor(Qt::PointingHandCursor);
        else
            unsetCursor();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return QWidget::mousePressEvent(event);
        setKeyboardFocusShown(false);
        const int piece = m_view.pieceAt(event->position());
        if (piece < 0)
            return;
        m_view.setCurrentPiece(piece);
        m_view.toggleSelection(m_view.m_layout->pieces[size_t(piece)].block.entry.id);
    }
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            const int piece = m_view.pieceAt(help->pos());
            if (piece >= 0)
                QToolTip::showText(help->globalPos(),
                    m_view.pieceLabel(piece),
                    this,
                    m_view.m_layout->pieces[size_t(piece)].rect.toAlignedRect());
            else
                QToolTip::hideText();
            return true;
        }
        return QWidget::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        setKeyboardFocusShown(true);
        const int count = int(m_view.m_layout->pieces.size());
        const int current = m_view.m_current;
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (count > 0) {
                const int step = event->key() == Qt::Key_Right ? 1 : -1;
                m_view.setCurrentPiece(current < 0 ? (step > 0 ? 0 : count - 1) : (current + step + count) % count);
            }
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (current >= 0)
                m_view.toggleSelection(m_view.m_layout->pieces[size_t(current)].block.entry.id);
            return;
        case Qt::Key_Escape:
            if (m_view.m_selectedID) {
                m_view.clearSelection();
                return;
            }
            break;
        default:
            break;
        }
        QWidget::keyPressEvent(event);
    }
    bool focusNextPrevChild(bool next) override
    {
        // Tab walks the blocks; past the last one (or before the first) focus moves on.
        const int count = int(m_view.m_layout->pieces.size());
        const int target = m_view.m_current + (next ? 1 : -1);
        if (hasFocus() && m_view.m_current >= 0 && target >= 0 && target < count) {
            m_view.setCurrentPiece(target);
            return true;
        }
        return QWidget::focusNextPrevChild(next);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        // Tabbing in starts at the first block, tabbing back in at the last.
        const int count = int(m_view.m_layout->pieces.size());
        const Qt::FocusReason reason = event->reason();
        if (count > 0 && reason == Qt::TabFocusReason)
            m_view.setCurrentPiece(0);
        else if (count > 0 && reason == Qt::BacktabFocusReason)
            m_view.setCurrentPiece(count - 1);
        else if (count > 0 && m_view.m_current < 0)
            m_view.setCurrentPiece(0);
        m_keyboardFocus = reason != Qt::MouseFocusReason;
        update();
        QWidget::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        update();
        QWidget::focusOutEvent(event);
    }

private:
    void setKeyboardFocusShown(bool shown)
    {
        if (shown != m_keyboardFocus) {
            m_keyboardFocus = shown;
            update();
        }
    }

    WeekTimelineView& m_view;
    bool m_keyboardFocus = false;
};

// ---- detail panel --------------------------------------------------------------------------------

// The selected entry: project, day and span; hours, billed hours and amount; notes; Edit, Delete.
class WeekDetailPanel : public QWidget
{
public:
    explicit WeekDetailPanel(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(u"entryDetailPanel"_s);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 8, 0, 4);
        row->setSpacing(20);

        auto* identity = new QHBoxLayout;
        identity->setSpacing(8);
        auto* dotColumn = new QVBoxLayout;
        dotColumn->setContentsMargins(0, 3, 0, 0);
        m_dot = new Style::ColorDot(10, this);
        m_dot->setObjectName(u"projectDotWidget"_s);
        dotColumn->addWidget(m_dot);
        dotColumn->addStretch();
        identity->addLayout(dotColumn);
        auto* names = new QVBoxLayout;
        names->setSpacing(2);
        m_name = new NameLabel(this);
        m_name->setObjectName(u"projectNameLabel"_s);
        m_name->setFont(Style::headlineFont(m_name->font()));
        names->addWidget(m_name);
        m_date = Style::secondaryLabel(this);
        m_date->setObjectName(u"dateLabel"_s);
        names->addWidget(m_date);
        m_span = Style::secondaryLabel(this);
        m_span->setObjectName(u"spanLabel"_s);
        names->addWidget(m_span);
        names->addStretch();
        identity->addLayout(names);
        row->addLayout(identity);

        row->addWidget(new Style::Rule(Qt::Vertical, this));

        auto* figures = new QVBoxLayout;
        figures->setSpacing(3);
        auto figure = [this, figures](Glyph glyph, const QString& name, bool secondary) {
            auto* line = new QWidget(this);
            line->setObjectName(name + u"Row"_s);
            auto* layout = new QHBoxLayout(line);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->setSpacing(6);
            layout->addWidget(new GlyphWidget(glyph, line->font(), line));
            QLabel* label = secondary ? Style::secondaryLabel(line) : new QLabel(line);
            label->setObjectName(name + u"Label"_s);
            layout->addWidget(label);
            layout->addStretch();
            figures->addWidget(line);
            return std::pair { line, label };
        };
        m_hours = figure(Glyph::hourglass, u"hours"_s, false).second;
        std::tie(m_billedRow, m_billed) = figure(Glyph::document, u"billed"_s, true);
        std::tie(m_amountRow, m_amount) = figure(Glyph::banknote, u"amount"_s, false);
        QFont semibold = m_amount->font();
        semibold.setWeight(QFont::DemiBold);
        m_amount->setFont(semibold);
        figures->addStretch();
        row->addLayout(figures);

        m_notesRule = new Style::Rule(Qt::Vertical, this);
        row->addWidget(m_notesRule);
        m_notes = new NotesLabel(this);
        m_notes->setObjectName(u"notesLabel"_s);
        row->addWidget(m_notes, 0, Qt::AlignTop);

        row->addStretch(1);

        auto* buttons = new QVBoxLayout;
        buttons->setSpacing(6);
        m_edit = smallButton(u"editButton"_s, this);
        buttons->addWidget(m_edit);
        m_delete = smallButton(u"deleteButton"_s, this);
        QPalette destructive = m_delete->palette();
        destructive.setColor(QPalette::ButtonText, Style::destructiveColor());
        m_delete->setPalette(destructive);
        buttons->addWidget(m_delete);
        buttons->addStretch();
        row->addLayout(buttons);
    }

    QPushButton* editButton() const { return m_edit; }
    QPushButton* deleteButton() const { return m_delete; }

    struct Content
    {
        QColor color;
        QString name;
        QString date;
        QString span;
        QString hours;
        QString billed; // empty: no billed line
        QString amount; // empty: not a rated project
        QString notes;
        QString edit;
        QString remove;
    };

    void setContent(const Content& content)
    {
        m_dot->setColor(content.color);
        m_name->setFullText(content.name);
        m_date->setText(content.date);
        m_span->setText(content.span);
        m_hours->setText(content.hours);
        m_billed->setText(content.billed);
        m_billedRow->setVisible(!content.billed.isEmpty());
        m_amount->setText(content.amount);
        m_amountRow->setVisible(!content.amount.isEmpty());
        m_notes->setText(content.notes);
        m_notes->setVisible(!content.notes.isEmpty());
        m_notesRule->setVisible(!content.notes.isEmpty());
        m_edit->setText(content.edit);
        m_delete->setText(content.remove);
        // The buttons share the wider one's width.
        m_edit->setMinimumWidth(0);
        m_delete->setMinimumWidth(0);
        const int width = std::max(m_edit->sizeHint().width(), m_delete->sizeHint().width());
        m_edit->setMinimumWidth(width);
        m_delete->setMinimumWidth(width);
        layout()->activate();
    }

private:
    Style::ColorDot* m_dot = nullptr;
    NameLabel* m_name = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_span = nullptr;
    QLabel* m_hours = nullptr;
    QWidget* m_billedRow = nullptr;
    QLabel* m_billed = nullptr;
    QWidget* m_amountRow = nullptr;
    QLabel* m_amount = nullptr;
    Style::Rule* m_notesRule = nullptr;
    NotesLabel* m_notes = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
};

// The divider and the panel under the canvas. They come in from the bottom edge while fading in,
// and leave the same way; without a visible window the change is immediate.
class WeekDetailReveal : public QWidget
{
public:
    explicit WeekDetailReveal(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(u"detailContainer"_s);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_rule = new Style::Rule(Qt::Horizontal, this);
        m_panel = new WeekDetailPanel(this);
        m_opacity = new QGraphicsOpacityEffect(m_panel);
        m_opacity->setEnabled(false);
        m_panel->setGraphicsEffect(m_opacity);
        m_animation = new QVariantAnimation(this);
        m_animation->setDuration(revealMilliseconds);
        m_animation->setEasingCurve(QEasingCurve::InOutQuad);
        connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
            apply(value.toReal());
        });
        connect(m_animation, &QVariantAnimation::finished, this, [this] {
            apply(m_target);
        });
        hide();
        apply(0);
    }

    WeekDetailPanel* panel() const { return m_panel; }
    [[nodiscard]] bool isRevealed() const { return m_target > 0; }

    void setRevealed(bool revealed, bool animated)
    {
        const qreal target = revealed ? 1 : 0;
        if (target == m_target && m_animation->state() != QAbstractAnimation::Running) {
            apply(m_progress); // the content may have changed height
            return;
        }
        m_target = target;
        m_animation->stop();
        if (!animated || !window()->isVisible()) {
            apply(target);
            return;
        }
        show();
        m_animation->setStartValue(m_progress);
        m_animation->setEndValue(target);
        const int duration = int(revealMilliseconds * std::abs(target - m_progress));
        if (duration < 1) {
            apply(target);
            return;
        }
        m_animation->setDuration(duration);
        m_animation->start();
    }

    [[nodiscard]] QSize sizeHint() const override { return { m_panel->sizeHint().width(), height() }; }
    [[nodiscard]] QSize minimumSizeHint() const override { return { m_panel->minimumSizeHint().width(), height() }; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        place();
        QWidget::resizeEvent(event);
    }
    void hideEvent(QHideEvent* event) override
    {
        // Nothing to watch: end where the animation was going.
        if (m_animation->state() == QAbstractAnimation::Running) {
            m_animation->stop();
            apply(m_target);
        }
        QWidget::hideEvent(event);
    }

private:
    [[nodiscard]] int fullHeight() const { return 8 + 1 + m_panel->sizeHint().height(); }

    void apply(qreal progress)
    {
        m_progress = progress;
        const bool animating = progress > 0 && progress < 1;
        m_opacity->setEnabled(animating);
        m_opacity->setOpacity(progress);
        setFixedHeight(int(std::round(fullHeight() * progress)));
        if (progress <= 0 && m_target <= 0)
            hide();
        else if (isHidden())
            show();
        place();
    }
    void place()
    {
        const int panelHeight = m_panel->sizeHint().height();
        const int slide = int(std::round((1 - m_progress) * panelHeight * 0.5));
        m_rule->setGeometry(0, 8, width(), 1);
        m_panel->setGeometry(0, 9 + slide, width(), panelHeight);
    }

    Style::Rule* m_rule = nullptr;
    WeekDetailPanel* m_panel = nullptr;
    QGraphicsOpacityEffect* m_opacity = nullptr;
    QVariantAnimation* m_animation = nullptr;
    qreal m_progress = 0;
    qreal m_target = 0;
};

// ---- the view ------------------------------------------------------------------------------------

WeekTimelineView::WeekTimelineView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_weekStart(LocalCalendar::mondayOfWeek(model.now()))
    , m_layout(std::make_unique<WeekTimelineLayout>())
{
    setObjectName(u"weekTimelineView"_s);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* card = new Style::Card(this, 0.06, 12);
    card->setObjectName(u"weekCard"_s);
    outer->addWidget(card);
    // The card is as tall as what it shows; the panel's coming and going changes that.
    outer->addStretch(1);
    auto* stack = new QVBoxLayout(card);
    stack->setContentsMargins(16, 16, 16, 16);
    stack->setSpacing(0);

    m_headerRow = new WeekHeaderRow(card);
    stack->addWidget(m_headerRow);
    stack->addSpacing(10);

    m_emptyState = new Style::EmptyState(calendarClockIcon(), card);
    m_emptyState->setObjectName(u"weekEmptyState"_s);
    m_emptyState->layout()->setContentsMargins(12, 60, 12, 60);
    stack->addWidget(m_emptyState);

    m_canvas = new WeekCanvas(*this, card);
    stack->addWidget(m_canvas);

    m_detail = new WeekDetailReveal(card);
    stack->addWidget(m_detail);
    connect(m_detail->panel()->editButton(), &QPushButton::clicked, this, [this] {
        if (const std::optional<TimeEntry> entry = selectedEntry())
            Q_EMIT editRequested(*entry);
    });
    connect(m_detail->panel()->deleteButton(), &QPushButton::clicked, this, &WeekTimelineView::deleteSelected);

    for (auto signal : { &AppModel::entriesChanged,
             &AppModel::projectsChanged,
             &AppModel::activeSessionChanged,
             &AppModel::settingsChanged })
        connect(&m_model, signal, this, &WeekTimelineView::refresh);
    connect(&m_model, &AppModel::nowChanged, this, &WeekTimelineView::clockTicked);

    refresh();
}

WeekTimelineView::~WeekTimelineView() = default;

void WeekTimelineView::setWeekStart(Instant weekStart)
{
    if (weekStart == m_weekStart)
        return;
    m_weekStart = weekStart;
    m_selectedID.reset();
    m_current = -1;
    refresh();
}

void WeekTimelineView::toggleSelection(const QUuid& entryID)
{
    if (m_selectedID == entryID)
        m_selectedID.reset();
    else
        m_selectedID = entryID;
    for (WeekPiece& piece : m_layout->pieces) {
        const bool selected = piece.block.entry.id == m_selectedID;
        if (selected != piece.block.isSelected) {
            piece.block.isSelected = selected;
            invalidateLayer(piece.rect.adjusted(-1, -1, 1, 1));
        }
    }
    refreshPanel(true);
}

void WeekTimelineView::clearSelection()
{
    if (m_selectedID)
        toggleSelection(*m_selectedID);
}

std::optional<TimeEntry> WeekTimelineView::selectedEntry() const
{
    if (!m_selectedID)
        return std::nullopt;
    for (const TimeEntry& entry : m_layout->entries) {
        if (entry.id == *m_selectedID)
            return entry;
    }
    return std::nullopt;
}

HourAxis WeekTimelineView::axis() const
{
    return m_layout->axis;
}

QList<std::pair<QUuid, QRectF>> WeekTimelineView::blockRects() const
{
    QList<std::pair<QUuid, QRectF>> rects;
    rects.reserve(qsizetype(m_layout->pieces.size()));
    for (const WeekPiece& piece : m_layout->pieces)
        rects.append({ piece.block.entry.id, piece.rect });
    return rects;
}

std::optional<QRectF> WeekTimelineView::runningBlockRect() const
{
    if (!m_layout->running || !m_canvas->isVisibleTo(this))
        return std::nullopt;
    return m_layout->running->rect;
}

HourAxis WeekTimelineView::axisHours(
    const QList<TimeEntry>& entries, Instant weekStart, const std::optional<ActiveTimerSession>& session, Instant now)
{
    const WeekDays days(weekStart);
    const QList<TimeEntry> week = BillingEngine::filteredEntries(entries, days.weekRange());
    Extent extent;
    for (int day = 0; day < 7; ++day) {
        for (const TimeEntry& entry : BillingEngine::filteredEntries(week, days.dayRange(day)))
            extent.add(
                hoursOnDay(entry.startDate, entry.endDate, days.starts[size_t(day)], days.starts[size_t(day) + 1]));
    }
    if (const auto running = runningOnWeek(days, session, now))
        extent.add(running->second);
    return axisOf(extent);
}

QList<int> WeekTimelineView::hourTicks(HourAxis axis)
{
    QList<int> ticks;
    for (int hour = int(std::ceil(axis.start)); hour <= int(std::floor(axis.end)); ++hour)
        ticks.append(hour);
    return ticks;
}

// ---- refreshing ------------------------------------------------------------------------------------

void WeekTimelineView::showEvent(QShowEvent* event)
{
    m_shownOnce = true;
    if (m_stale)
        refresh();
    QWidget::showEvent(event);
}

void WeekTimelineView::changeEvent(QEvent* event)
{
    if (m_canvas && (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange))
        invalidateLayer();
    QWidget::changeEvent(event);
}

void WeekTimelineView::refresh()
{
    // A hidden view (the timeline in day mode) catches up when it is shown again.
    if (m_shownOnce && !isVisible()) {
        m_stale = true;
        return;
    }
    m_stale = false;
    const QLocale locale = m_model.appLocale();
    if (!m_weekdayFormat || locale.name() != m_localeName)
        retranslate();
    rebuild();
    refreshHeaders();
    const bool empty = m_layout->entries.isEmpty() && !m_layout->running;
    m_emptyState->setVisible(empty);
    m_canvas->setVisible(!empty);
    layoutBlocks();
    m_canvas->update();
    refreshPanel(true);
}

void WeekTimelineView::retranslate()
{
    const QLocale locale = m_model.appLocale();
    m_localeName = locale.name();
    setLocale(locale);
    m_weekdayFormat = std::make_unique<DayFormat>(locale, u"EEE"_s);
    m_dateFormat = std::make_unique<DayFormat>(locale, u"EEEEMMMMd"_s);
    m_emptyState->setTexts(m_model.localized(Text::en("No entries this week")),
        m_model.localized(Text::en("No time was tracked this week.")));
}

void WeekTimelineView::rebuild()
{
    WeekTimelineLayout& layout = *m_layout;
    // Keep the keyboard on the same block across the rebuild, when it is still there.
    std::optional<std::pair<QUuid, int>> current;
    if (m_current >= 0 && m_current < int(layout.pieces.size()))
        current = std::pair { layout.pieces[size_t(m_current)].block.entry.id, layout.pieces[size_t(m_current)].day };

    layout.days = WeekDays(m_weekStart);
    const QList<TimeEntry>& all = m_model.entries();
    layout.entries = BillingEngine::filteredEntries(all, layout.days.weekRange());
    QHash<QUuid, Project> projects;
    for (const Project& project : m_model.projects())
        projects.insert(project.id, project);
    auto projectOf = [&projects](const QUuid& id) -> std::optional<Project> {
        const auto it = projects.constFind(id);
        return it == projects.constEnd() ? std::nullopt : std::optional(*it);
    };

    layout.pieces.clear();
    layout.entryExtent = {};
    for (int day = 0; day < 7; ++day) {
        const InstantRange range = layout.days.dayRange(day);
        const QList<TimeEntry> entries = BillingEngine::filteredEntries(layout.entries, range);
        layout.totals[size_t(day)] = BillingEngine::totalDuration(entries, range);
        const size_t first = layout.pieces.size();
        for (const LayoutEntry& placed : computeOverlapLayout(entries)) {
            WeekPiece piece;
            piece.block.entry = placed.entry;
            piece.block.project = projectOf(placed.entry.projectID);
            piece.block.isSelected = placed.entry.id == m_selectedID;
            piece.day = day;
            piece.slotIndex = placed.slotIndex;
            piece.totalSlots = std::max(placed.totalSlots, 1);
            piece.hours = hoursOnDay(placed.entry.startDate,
                placed.entry.endDate,
                layout.days.starts[size_t(day)],
                layout.days.starts[size_t(day) + 1]);
            layout.entryExtent.add(piece.hours);
            layout.pieces.push_back(std::move(piece));
        }
        // The keyboard walks a day from top to bottom, left to right.
        std::stable_sort(
            layout.pieces.begin() + qsizetype(first), layout.pieces.end(), [](const WeekPiece& a, const WeekPiece& b) {
                return std::pair { a.hours.start, a.slotIndex } < std::pair { b.hours.start, b.slotIndex };
            });
    }

    layout.running.reset();
    const auto& session = m_model.activeSession();
    Extent extent = layout.entryExtent;
    if (const auto running = runningOnWeek(layout.days, session, m_model.now())) {
        layout.running = WeekRunning { running->first, running->second, projectOf(session->projectID), {} };
        extent.add(running->second);
    }
    layout.axis = axisOf(extent);
    layout.today = LocalCalendar::localDate(m_model.now());
    layout.todayColumn = layout.days.indexOf(layout.today);

    layout.hourLabels.clear();
    const QLocale locale = m_model.appLocale();
    for (int hour : hourTicks(layout.axis))
        layout.hourLabels.append({ hour, locale.toString(QTime(hour % 24, 0), QLocale::ShortFormat) });

    m_current = -1;
    if (current) {
        for (size_t i = 0; i < layout.pieces.size(); ++i) {
            if (layout.pieces[i].block.entry.id == current->first && layout.pieces[i].day == current->second)
                m_current = int(i);
        }
    }
}

qreal WeekTimelineView::columnWidth() const
{
    return std::max((m_canvas->width() - gutter) / 7.0, 0.0);
}

qreal WeekTimelineView::yOf(double hour) const
{
    const HourAxis& axis = m_layout->axis;
    return canvasHeight * (hour - axis.start) / (axis.end - axis.start);
}

void WeekTimelineView::layoutBlocks()
{
    const qreal column = columnWidth();
    for (WeekPiece& piece : m_layout->pieces) {
        const qreal slot = (column - 4) / piece.totalSlots;
        const qreal top = yOf(piece.hours.start);
        const qreal height = std::max(std::max(yOf(piece.hours.end) - top, 0.0), minimumBlockHeight);
        piece.rect = QRectF(gutter + column * piece.day + 2 + slot * piece.slotIndex, top, slot - 2, height);
        piece.block.width = piece.rect.width();
        piece.block.height = height;
    }
    if (m_layout->running)
        m_layout->running->rect = runningRect();
    invalidateLayer();
}

QRectF WeekTimelineView::runningRect() const
{
    const WeekRunning& running = *m_layout->running;
    const qreal column = columnWidth();
    const qreal top = yOf(running.hours.start);
    const qreal height = std::max(std::max(yOf(running.hours.end) - top, 0.0), minimumBlockHeight);
    return QRectF(gutter + column * running.day + 2, top, column - 4, height);
}

void WeekTimelineView::refreshHeaders()
{
    const WeekTimelineLayout& layout = *m_layout;
    const QLocale locale = m_model.appLocale();
    for (int day = 0; day < 7; ++day) {
        const QDate date = layout.days.dates[size_t(day)];
        const Seconds total = layout.totals[size_t(day)];
        const QString totalText =
            total > 0 ? m_model.localized(Text::en("%@h"), { m_model.decimalString(total / 3600.0, 1, 1) }) : emDash;
        m_headerRow->header(day)->setContent(date,
            day == layout.todayColumn,
            total,
            locale.toUpper(m_weekdayFormat->format(date)),
            locale.toString(date.day()),
            totalText);
    }
}

void WeekTimelineView::refreshPanel(bool animated)
{
    const std::optional<TimeEntry> entry = !m_canvas->isVisibleTo(this) ? std::nullopt : selectedEntry();
    if (!entry) {
        m_detail->setRevealed(false, animated);
        return;
    }
    const std::optional<Project> project = m_model.project(entry->projectID);
    const Seconds actual = entry->duration();
    WeekDetailPanel::Content content;
    content.color = project ? projectColor(project->colorName) : QColor(Qt::gray);
    content.name = project ? project->name : m_model.localized(Text::en("Unknown Project"));
    content.date = m_dateFormat->format(LocalCalendar::localDate(entry->startDate));
    content.span = timeSpan(*entry, m_model);
    content.hours = m_model.localized(Text::en("%@ h"), { m_model.decimalString(actual / 3600.0, 2, 2) });
    if (project && project->hourlyRate) {
        // Billed as on the day the entry starts, where its rounding happens.
        const Instant dayStart = LocalCalendar::startOfDay(entry->startDate);
        const InstantRange day { dayStart, std::max(LocalCalendar::lastSecondOfDay(dayStart), dayStart) };
        const Seconds billed =
            BillingEngine::billedDurations(m_model.entries(), m_model.projects(), day).value(entry->id, actual);
        if (billed != actual)
            content.billed =
                m_model.localized(Text::en("%@ h billed"), { m_model.decimalString(billed / 3600.0, 2, 2) });
        content.amount = m_model.currencyString(billed / 3600.0 * *project->hourlyRate);
    }
    content.notes = entry->notes;
    content.edit = m_model.localized(Text::en("Edit"));
    content.remove = m_model.localized(Text::en("Delete"));
    m_detail->panel()->setContent(content);
    m_detail->setRevealed(true, animated);
}

void WeekTimelineView::clockTicked()
{
    if (m_stale || (m_shownOnce && !isVisible())) {
        m_stale = true;
        return;
    }
    const Instant now = m_model.now();
    // A new day moves the today marks; that is a new picture.
    if (LocalCalendar::localDate(now) != m_layout->today) {
        refresh();
        return;
    }
    if (!m_layout->running || !m_model.activeSession())
        return;
    WeekRunning& running = *m_layout->running;
    const ActiveTimerSession& session = *m_model.activeSession();
    running.hours = hoursOnDay(session.startDate,
        std::max(now, session.startDate),
        m_layout->days.starts[size_t(running.day)],
        m_layout->days.starts[size_t(running.day) + 1]);
    Extent extent = m_layout->entryExtent;
    extent.add(running.hours);
    const HourAxis axis = axisOf(extent);
    if (axis != m_layout->axis) {
        // The timer ran into the axis margin: every block moves.
        rebuild();
        layoutBlocks();
        m_canvas->update();
        return;
    }
    const QRectF before = running.rect;
    running.rect = runningRect();
    if (running.rect != before)
        m_canvas->update(before.united(running.rect).toAlignedRect().adjusted(-2, -2, 2, 2));
}

// ---- painting and input ------------------------------------------------------------------------

void WeekTimelineView::paintCanvas(QPainter& painter) const
{
    paintArea(painter, QRectF(m_canvas->rect()));
}

void WeekTimelineView::paintArea(QPainter& painter, const QRectF& exposed) const
{
    // The grid and the entry blocks come from the layer; the running block and the focus ring,
    // which change on their own, are drawn over it each time.
    const QRectF area = exposed.intersected(QRectF(m_canvas->rect()));
    if (area.isEmpty())
        return;
    const qreal ratio = m_canvas->devicePixelRatioF();
    if (m_layer.isNull() || m_layer.devicePixelRatio() != ratio || m_layer.size() != m_canvas->size() * ratio) {
        m_layer = QPixmap(m_canvas->size() * ratio);
        m_layer.setDevicePixelRatio(ratio);
        m_layer.fill(Qt::transparent);
        QPainter layer(&m_layer);
        paintLayer(layer, QRectF(m_canvas->rect()));
    }
    painter.drawPixmap(area, m_layer, QRectF(area.topLeft() * ratio, area.size() * ratio));

    const WeekTimelineLayout& layout = *m_layout;
    const QPalette& pal = m_canvas->palette();
    if (layout.running && layout.running->rect.intersects(area)) {
        painter.save();
        painter.setClipRect(area);
        painter.setFont(m_canvas->font());
        paintRunningBlock(painter, layout.running->rect, layout.running->project, m_model, pal, { 5, 3, 28, 44 });
        painter.restore();
    }
    if (m_canvas->showsFocus() && m_current >= 0 && m_current < int(layout.pieces.size())) {
        painter.save();
        painter.setClipRect(area);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(pal.color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(layout.pieces[size_t(m_current)].rect.adjusted(-2, -2, 2, 2), 7, 7);
        painter.restore();
    }
}

void WeekTimelineView::invalidateLayer(const QRectF& area)
{
    if (m_layer.isNull())
        return;
    if (area.isNull()) {
        m_layer = QPixmap();
        m_canvas->update();
        return;
    }
    // Painted apart and copied in: a block clips its text to itself, and only the edges of the
    // scratch pixmap keep the neighbours that reach into the area from being drawn twice.
    const QRect aligned = area.toAlignedRect().intersected(m_canvas->rect());
    if (aligned.isEmpty())
        return;
    const qreal ratio = m_layer.devicePixelRatio();
    QPixmap scratch(aligned.size() * ratio);
    scratch.setDevicePixelRatio(ratio);
    scratch.fill(Qt::transparent);
    {
        QPainter painter(&scratch);
        painter.translate(-aligned.topLeft());
        paintLayer(painter, QRectF(aligned));
    }
    QPainter layer(&m_layer);
    layer.setCompositionMode(QPainter::CompositionMode_Source);
    layer.drawPixmap(aligned.topLeft(), scratch);
    m_canvas->update(aligned);
}

void WeekTimelineView::paintLayer(QPainter& painter, const QRectF& area) const
{
    const WeekTimelineLayout& layout = *m_layout;
    const QPalette& pal = m_canvas->palette();
    const QColor secondary = Style::secondaryColor(pal);
    const qreal column = columnWidth();
    painter.setFont(m_canvas->font());

    if (layout.todayColumn >= 0)
        painter.fillRect(QRectF(gutter + column * layout.todayColumn, 0, column, canvasHeight),
            Style::withAlpha(pal.color(QPalette::Highlight), 0.05));
    // Hairlines: one device pixel, whatever the scale.
    painter.setPen(QPen(Style::withAlpha(secondary, 0.18), 0));
    for (int i = 1; i < 7; ++i) {
        const qreal x = std::round(gutter + column * i) + 0.5;
        painter.drawLine(QPointF(x, 0), QPointF(x, canvasHeight));
    }
    painter.setPen(QPen(Style::withAlpha(secondary, 0.22), 0));
    for (const auto& [hour, label] : layout.hourLabels) {
        const qreal y = std::min(std::round(yOf(hour)), qreal(canvasHeight - 1)) + 0.5;
        painter.drawLine(QPointF(gutter, y), QPointF(gutter + 7 * column, y));
    }
    if (area.left() < gutter) {
        const QFont labelFont = hourLabelFont(m_canvas->font());
        const QFontMetricsF metrics(labelFont);
        painter.setFont(labelFont);
        painter.setPen(Style::withAlpha(secondary, 0.8));
        for (const auto& [hour, label] : layout.hourLabels) {
            // Centred on its line, but kept inside the canvas at either end.
            const qreal top = std::clamp(yOf(hour) - metrics.height() / 2, 0.0, canvasHeight - metrics.height());
            painter.drawText(QRectF(0, top, gutter - 6, metrics.height()),
                Qt::AlignRight | Qt::AlignVCenter,
                metrics.elidedText(label, Qt::ElideLeft, gutter - 6));
        }
        painter.setFont(m_canvas->font());
    }
    for (const WeekPiece& piece : layout.pieces) {
        if (piece.rect.intersects(area))
            piece.block.paint(painter, piece.rect.topLeft(), m_model, pal);
    }
}

int WeekTimelineView::pieceAt(QPointF point) const
{
    const auto& pieces = m_layout->pieces;
    for (size_t i = pieces.size(); i-- > 0;) {
        if (pieces[i].rect.contains(point))
            return int(i);
    }
    return -1;
}

QString WeekTimelineView::pieceLabel(int piece) const
{
    return m_layout->pieces[size_t(piece)].block.accessibleLabel(m_model);
}

void WeekTimelineView::setCurrentPiece(int piece)
{
    if (piece == m_current)
        return;
    auto focusRect = [this](int index) {
        return m_layout->pieces[size_t(index)].rect.toAlignedRect().adjusted(-4, -4, 4, 4);
    };
    if (m_current >= 0 && m_current < int(m_layout->pieces.size()))
        m_canvas->update(focusRect(m_current));
    m_current = piece;
    if (piece >= 0) {
        m_canvas->update(focusRect(piece));
        m_canvas->setAccessibleDescription(pieceLabel(piece));
    }
}

void WeekTimelineView::deleteSelected()
{
    const std::optional<TimeEntry> entry = selectedEntry();
    m_selectedID.reset();
    if (entry)
        m_model.deleteEntry(*entry);
    refreshPanel(true);
}

} // namespace tivren
