// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/DateRangePicker.h"

#include "app/model/Clock.h"
#include "app/text/AppStrings.h"
#include "core/time/LocalCalendar.h"
#include "ui/style/Glyphs.h"
#include "ui/style/Style.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

using DateRanges::Preset;

QString presetButtonName(Preset preset)
{
    switch (preset) {
    case Preset::today:
        return u"todayButton"_s;
    case Preset::last7Days:
        return u"last7DaysButton"_s;
    case Preset::thisMonth:
        return u"thisMonthButton"_s;
    case Preset::last30Days:
        return u"last30DaysButton"_s;
    case Preset::thisYear:
        return u"thisYearButton"_s;
    }
    return {};
}

} // namespace

DateRangePicker::DateRangePicker(QWidget* parent)
    : QWidget(parent)
    , m_now([] {
        return SystemClock().now();
    })
{
    // The popup and its two calendars are built when first opened: most starts never open it.
    buildButton();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusProxy(m_button);
    retranslate();
    restyle();
}

DateRangePicker::~DateRangePicker() = default;

void DateRangePicker::buildButton()
{
    m_button = new QPushButton(this);
    m_button->setObjectName(u"rangeButton"_s);
    m_button->setFocusPolicy(Qt::StrongFocus);
    connect(m_button, &QPushButton::clicked, this, [this] {
        isPopupVisible() ? hidePopup() : showPopup();
    });

    // The button draws only its bevel; the row inside is ordinary labels, which give the button
    // its size as the range text grows and shrinks.
    m_iconLabel = new QLabel(m_button);
    m_iconLabel->setObjectName(u"calendarIconLabel"_s);
    m_rangeLabel = new QLabel(m_button);
    m_rangeLabel->setObjectName(u"rangeLabel"_s);
    m_chevronLabel = new QLabel(m_button);
    m_chevronLabel->setObjectName(u"chevronLabel"_s);
    for (QLabel* label : { m_iconLabel, m_rangeLabel, m_chevronLabel })
        label->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* row = new QHBoxLayout(m_button);
    // A layout inside a non-window widget does not size it by default; this one must.
    row->setSizeConstraint(QLayout::SetMinimumSize);
    row->setContentsMargins(10, 4, 8, 4);
    row->setSpacing(6);
    row->addWidget(m_iconLabel);
    row->addWidget(m_rangeLabel, 1);
    row->addWidget(m_chevronLabel);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_button);
}

void DateRangePicker::buildPopup()
{
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(u"rangePopup"_s);
    m_popup->setAutoFillBackground(true);
    // A popup is its own window: without this it would keep the application's font and palette
    // instead of the picker's.
    m_popup->setAttribute(Qt::WA_WindowPropagation);
    m_popup->installEventFilter(this);

    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);

    m_quickRangesLabel = Style::label(TextStyle::caption, u"quickRangesLabel"_s, m_popup, Tone::secondary);
    layout->addWidget(m_quickRangesLabel);

    auto* presets = new QHBoxLayout;
    presets->setSpacing(8);
    for (Preset preset : DateRanges::allPresets()) {
        auto* button = new QToolButton(m_popup);
        button->setObjectName(presetButtonName(preset));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QToolButton::clicked, this, [this, preset] {
            applyPreset(preset);
        });
        presets->addWidget(button);
        m_presetButtons.append({ preset, button });
    }
    presets->addStretch(1);
    layout->addLayout(presets);

    auto* separator = new QFrame(m_popup);
    separator->setObjectName(u"separatorLine"_s);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    layout->addWidget(separator);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(16);
    const auto addColumn = [this, columns](const QString& name, QLabel*& heading, QCalendarWidget*& calendar) {
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        heading = Style::label(TextStyle::caption, name + u"Label"_s, m_popup, Tone::secondary);
        calendar = new QCalendarWidget(m_popup);
        calendar->setObjectName(name + u"Calendar"_s);
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        calendar->setGridVisible(false);
        // Weekends in plain text colour: red days read as holidays or errors in a date range.
        calendar->setWeekdayTextFormat(Qt::Saturday, {});
        calendar->setWeekdayTextFormat(Qt::Sunday, {});
        heading->setBuddy(calendar);
        column->addWidget(heading);
        column->addWidget(calendar);
        columns->addLayout(column);
    };
    addColumn(u"start"_s, m_startLabel, m_startCalendar);
    addColumn(u"end"_s, m_endLabel, m_endCalendar);
    layout->addLayout(columns);

    connect(m_startCalendar, &QCalendarWidget::selectionChanged, this, [this] {
        write(LocalCalendar::replacingDate(m_start, m_startCalendar->selectedDate()), m_end);
    });
    connect(m_endCalendar, &QCalendarWidget::selectionChanged, this, [this] {
        write(m_start, LocalCalendar::replacingDate(m_end, m_endCalendar->selectedDate()));
    });
}

void DateRangePicker::setRange(Instant start, Instant end)
{
    m_start = start;
    m_end = end;
    showRange();
}

void DateRangePicker::setClock(std::function<Instant()> now)
{
    m_now = std::move(now);
}

bool DateRangePicker::isPopupVisible() const
{
    return m_popup && m_popup->isVisible();
}

void DateRangePicker::showPopup()
{
    if (isPopupVisible())
        return;
    if (!m_popup) {
        buildPopup();
        retranslatePopup();
        restylePopup();
        showRange();
    }
    m_popup->adjustSize();
    m_popup->move(popupPosition());
    m_popup->show();
    m_presetButtons.constFirst().second->setFocus(Qt::PopupFocusReason);
}

void DateRangePicker::hidePopup()
{
    if (m_popup)
        m_popup->hide();
}

QPoint DateRangePicker::popupPosition() const
{
    constexpr int gap = 4;
    const QRect anchor(m_button->mapToGlobal(QPoint(0, 0)), m_button->size());
    const QSize size = m_popup->size();
    QPoint position(
        isRightToLeft() ? anchor.x() + anchor.width() - size.width() : anchor.x(), anchor.y() + anchor.height() + gap);
    const QScreen* screen = m_button->screen();
    if (!screen)
        return position;
    // Stay on the screen: slide sideways, and open upwards when there is no room below.
    const QRect available = screen->availableGeometry();
    position.setX(std::clamp(
        position.x(), available.left(), std::max(available.left(), available.x() + available.width() - size.width())));
    if (position.y() + size.height() > available.y() + available.height()) {
        const int above = anchor.y() - gap - size.height();
        if (above >= available.top())
            position.setY(above);
    }
    return position;
}

void DateRangePicker::applyPreset(Preset preset)
{
    const auto [start, end] = DateRanges::apply(preset, m_now());
    write(start, end);
}

void DateRangePicker::write(Instant start, Instant end)
{
    if (start == m_start && end == m_end)
        return;
    m_start = start;
    m_end = end;
    showRange();
    Q_EMIT rangeChanged(m_start, m_end);
}

void DateRangePicker::showRange()
{
    const QString text = DateRanges::label(m_start, m_end, locale());
    m_rangeLabel->setText(text);
    m_button->setAccessibleName(text);
    if (!m_popup)
        return;
    // Writing the calendars back must not look like the user picking a date.
    const QSignalBlocker blockStart(m_startCalendar);
    const QSignalBlocker blockEnd(m_endCalendar);
    m_startCalendar->setSelectedDate(LocalCalendar::localDate(m_start));
    m_endCalendar->setSelectedDate(LocalCalendar::localDate(m_end));
}

void DateRangePicker::retranslate()
{
    if (m_popup)
        retranslatePopup();
    showRange();
}

void DateRangePicker::retranslatePopup()
{
    const QLocale locale = this->locale();
    // The popup is a window of its own and does not inherit the locale by itself.
    m_popup->setLocale(locale);
    // The calendars take the locale's first day of the week by themselves but leave the
    // highlight on its old cell (Qt 6.4), a day off. Setting the first day anew re-lays the page;
    // setting the same day is ignored, hence the detour.
    const Qt::DayOfWeek firstDay = locale.firstDayOfWeek();
    for (QCalendarWidget* calendar : { m_startCalendar, m_endCalendar }) {
        calendar->setFirstDayOfWeek(firstDay == Qt::Monday ? Qt::Sunday : Qt::Monday);
        calendar->setFirstDayOfWeek(firstDay);
    }
    m_quickRangesLabel->setText(AppStrings::text(locale, Text::en("Quick Ranges")));
    for (const auto& [preset, button] : std::as_const(m_presetButtons))
        button->setText(DateRanges::presetTitle(preset, locale));
    //: Noun, a field label: the first day of the date range.
    m_startLabel->setText(AppStrings::text(locale, Text::en("Start")));
    m_endLabel->setText(AppStrings::text(locale, Text::en("End")));
    if (m_popup->isVisible())
        m_popup->adjustSize();
}

void DateRangePicker::restyle()
{
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const qreal ratio = devicePixelRatioF();
    const QColor text = palette().color(QPalette::ButtonText);
    const QColor secondary = palette().color(QPalette::PlaceholderText);
    const QIcon calendar = QIcon::fromTheme(u"x-office-calendar"_s, QIcon(calendarPixmap(iconSize, ratio, text)));
    m_iconLabel->setPixmap(calendar.pixmap(QSize(iconSize, iconSize), ratio));
    const int chevronSize = std::max(8, iconSize * 5 / 8);
    m_chevronLabel->setPixmap(chevronPixmap(chevronSize, ratio, secondary));
    if (m_popup)
        restylePopup();
}

void DateRangePicker::restylePopup()
{
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const qreal ratio = devicePixelRatioF();
    // The month arrows sit on the calendar's highlight-coloured bar; Qt's fallback arrows are
    // green bitmaps wherever the icon theme has none.
    const QColor onBar = palette().color(QPalette::HighlightedText);
    const QIcon previous(chevronPixmap(iconSize, ratio, onBar, isRightToLeft() ? -90 : 90));
    const QIcon next(chevronPixmap(iconSize, ratio, onBar, isRightToLeft() ? 90 : -90));
    for (QCalendarWidget* calendar : { m_startCalendar, m_endCalendar }) {
        if (auto* button = calendar->findChild<QToolButton*>(u"qt_calendar_prevmonth"_s))
            button->setIcon(previous);
        if (auto* button = calendar->findChild<QToolButton*>(u"qt_calendar_nextmonth"_s))
            button->setIcon(next);
        QTextCharFormat header = calendar->headerTextFormat();
        header.setForeground(palette().color(QPalette::PlaceholderText));
        calendar->setHeaderTextFormat(header);
    }
    // Headings of the popup: small print, semibold.
    const QFont caption = Style::font(TextStyle::caption, font(), QFont::DemiBold);
    for (QLabel* label : { m_quickRangesLabel, m_startLabel, m_endLabel })
        label->setFont(caption);
}

void DateRangePicker::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::LocaleChange:
        retranslate();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
        restyle();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool DateRangePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_popup)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Paint) {
        // A thin outline in a tint of the text colour: styled panel frames all but vanish on the
        // window colour, and this reads in light and dark palettes alike.
        QPainter painter(m_popup);
        QColor outline = m_popup->palette().color(QPalette::WindowText);
        outline.setAlphaF(0.28f);
        painter.setPen(outline);
        painter.drawRect(m_popup->rect().adjusted(0, 0, -1, -1));
    } else if (event->type() == QEvent::MouseButtonPress) {
        // A press on the picker's own button while the popup is open closes the popup; Qt would
        // then replay the press on the button, whose click would open the popup again at once.
        const auto* press = static_cast<QMouseEvent*>(event);
        const QPoint local = m_button->mapFromGlobal(press->globalPosition().toPoint());
        if (m_button->rect().contains(local))
            m_popup->setAttribute(Qt::WA_NoMouseReplay);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tivren
