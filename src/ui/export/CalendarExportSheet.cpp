#include "ui/export/CalendarExportSheet.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/style/Glyphs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

// The draft and the service a sheet works on, behind one face so the widgets are written once.
class CalendarExportSheetSource
{
public:
    struct Calendar
    {
        QString id;
        QString label;
    };
    using ModelSignal = void (AppModel::*)();

    virtual ~CalendarExportSheetSource() = default;

    [[nodiscard]] virtual QString title() const = 0; // a translation key
    [[nodiscard]] virtual QList<Calendar> calendars() const = 0;
    [[nodiscard]] virtual bool isBusy() const = 0;
    [[nodiscard]] virtual ModelSignal busyChanged() const = 0;
    [[nodiscard]] virtual ModelSignal calendarsChanged() const = 0;

    [[nodiscard]] virtual qsizetype selectionCount() const = 0;
    [[nodiscard]] virtual QString projectName(qsizetype index) const = 0;
    [[nodiscard]] virtual int entryCount(qsizetype index) const = 0;
    [[nodiscard]] virtual bool isSelected(qsizetype index) const = 0;
    [[nodiscard]] virtual std::optional<QString> calendarID(qsizetype index) const = 0;
    virtual void setSelected(qsizetype index, bool selected) = 0;
    virtual void setCalendarID(qsizetype index, const std::optional<QString>& calendarID) = 0;
    [[nodiscard]] virtual qsizetype readyCount() const = 0;
    [[nodiscard]] virtual bool hasAnySelectedProjectWithCalendar() const = 0;
};

namespace {

template <typename Service> class DraftSource : public CalendarExportSheetSource
{
public:
    DraftSource(AppModel& model, CalendarExportDraft<Service>& draft)
        : m_model(model)
        , m_draft(draft)
    {
    }

    qsizetype selectionCount() const override { return m_draft.projectSelections.size(); }
    QString projectName(qsizetype index) const override { return selection(index).projectName; }
    int entryCount(qsizetype index) const override { return selection(index).entryCount; }
    bool isSelected(qsizetype index) const override { return selection(index).isSelected; }
    std::optional<QString> calendarID(qsizetype index) const override { return selection(index).calendarID; }
    void setSelected(qsizetype index, bool selected) override
    {
        if (index < m_draft.projectSelections.size())
            m_draft.projectSelections[index].isSelected = selected;
    }
    void setCalendarID(qsizetype index, const std::optional<QString>& calendarID) override
    {
        if (index < m_draft.projectSelections.size())
            m_draft.projectSelections[index].calendarID = calendarID;
    }
    qsizetype readyCount() const override { return m_draft.selectedProjectCalendarAssignments().size(); }
    bool hasAnySelectedProjectWithCalendar() const override { return m_draft.hasAnySelectedProjectWithCalendar(); }

protected:
    AppModel& m_model;

private:
    const CalendarProjectExportSelection<Service>& selection(qsizetype index) const
    {
        return m_draft.projectSelections.at(index);
    }

    CalendarExportDraft<Service>& m_draft;
};

class GoogleSource final : public DraftSource<GoogleCalendarService_Tag>
{
public:
    using DraftSource::DraftSource;

    QString title() const override { return Text::en("Export Google Calendar"); }
    QList<Calendar> calendars() const override
    {
        QList<Calendar> result;
        for (const GoogleCalendarListItem& item : m_model.googleCalendars())
            result.append({ item.id, item.name });
        return result;
    }
    bool isBusy() const override { return m_model.isGoogleCalendarBusy(); }
    ModelSignal busyChanged() const override { return &AppModel::isGoogleCalendarBusyChanged; }
    ModelSignal calendarsChanged() const override { return &AppModel::googleCalendarsChanged; }
};

class AppleSource final : public DraftSource<AppleCalendarService_Tag>
{
public:
    using DraftSource::DraftSource;

    QString title() const override { return Text::en("Export Apple Calendar"); }
    QList<Calendar> calendars() const override
    {
        QList<Calendar> result;
        for (const AppleCalendarListItem& item : m_model.appleCalendars())
            result.append({ item.id, item.displayName() });
        return result;
    }
    bool isBusy() const override { return m_model.isAppleCalendarBusy(); }
    ModelSignal busyChanged() const override { return &AppModel::isAppleCalendarBusyChanged; }
    ModelSignal calendarsChanged() const override { return &AppModel::appleCalendarsChanged; }
};

constexpr int kCardRadius = 12;

// One project's card: the quiet secondary colour behind a rounded rectangle, painted from the
// palette at paint time so it follows light and dark themes.
class CardFrame final : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = palette().color(QPalette::PlaceholderText);
        fill.setAlphaF(0.06f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()), kCardRadius, kCardRadius);
    }
};

// The project's checkbox. A long name is elided to the card's width (the full name in the tool
// tip) rather than widening the list past the sheet; an "&" in a name is shown, not taken as a
// mnemonic.
class ProjectNameCheckBox final : public QCheckBox
{
public:
    explicit ProjectNameCheckBox(QWidget* parent)
        : QCheckBox(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }

    void setName(const QString& name)
    {
        m_name = name;
        setAccessibleName(name);
        showName();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QCheckBox::resizeEvent(event);
        showName();
    }
    void changeEvent(QEvent* event) override
    {
        QCheckBox::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            showName();
    }

private:
    void showName()
    {
        QStyleOptionButton option;
        initStyleOption(&option);
        const int available = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this).width();
        const QString shown = fontMetrics().elidedText(m_name, Qt::ElideRight, std::max(available, 0));
        QString escaped = shown;
        escaped.replace(u'&', u"&&"_s);
        if (text() != escaped)
            setText(escaped);
        setToolTip(shown == m_name ? QString() : m_name);
    }

    QString m_name;
};

// Shows the cards without a scroll bar when they fit, and scrolls rather than push the sheet off
// a small screen when there are many.
class CardScrollArea final : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        QSize hint = minimumSize();
        if (const QWidget* content = widget()) {
            const int frame = 2 * frameWidth();
            const int scrollBar = verticalScrollBar()->sizeHint().width();
            hint = hint.expandedTo(content->sizeHint() + QSize(frame + scrollBar, frame));
        }
        if (const QScreen* shown = screen())
            hint.setHeight(
                std::max(minimumHeight(), std::min(hint.height(), shown->availableGeometry().height() * 3 / 5)));
        return hint;
    }
};

QFont scaledFont(QFont font, qreal factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(7.0, font.pointSizeF() * factor));
    else
        font.setPixelSize(std::max(9, int(font.pixelSize() * factor)));
    return font;
}

QFont captionFont(const QFont& font)
{
    return scaledFont(font, 0.85);
}

QLabel* secondaryLabel(const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    // The placeholder role is the palette's quieter text colour and follows theme changes.
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

// The counters' glyphs where the icon theme has none, outlined in the counters' secondary colour
// on a 16-unit grid.
template <typename Draw> QPixmap glyphPixmap(int size, qreal ratio, const QColor& color, Draw draw)
{
    QPixmap pixmap = transparentPixmap(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.scale(unit, unit);
    painter.setPen(QPen(color, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    draw(painter);
    return pixmap;
}

QPixmap folderPixmap(int size, qreal ratio, const QColor& color)
{
    return glyphPixmap(size, ratio, color, [](QPainter& painter) {
        QPainterPath outline;
        outline.moveTo(1.5, 13.5);
        outline.lineTo(1.5, 3);
        outline.lineTo(6, 3);
        outline.lineTo(7.5, 4.75);
        outline.lineTo(14.5, 4.75);
        outline.lineTo(14.5, 13.5);
        outline.closeSubpath();
        painter.drawPath(outline);
        painter.drawLine(QPointF(1.5, 7), QPointF(14.5, 7));
    });
}

QPixmap calendarPlusPixmap(int size, qreal ratio, const QColor& color)
{
    return glyphPixmap(size, ratio, color, [](QPainter& painter) {
        painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 12), 2, 2);
        painter.drawLine(QPointF(1.5, 6), QPointF(14.5, 6));
        painter.drawLine(QPointF(5, 1), QPointF(5, 3.5));
        painter.drawLine(QPointF(11, 1), QPointF(11, 3.5));
        painter.drawLine(QPointF(8, 8), QPointF(8, 13));
        painter.drawLine(QPointF(5.5, 10.5), QPointF(10.5, 10.5));
    });
}

} // namespace

CalendarExportSheet::CalendarExportSheet(
    AppModel& model, std::unique_ptr<CalendarExportSheetSource> source, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_source(std::move(source))
{
    build();
    connect(&m_model, &AppModel::settingsChanged, this, &CalendarExportSheet::retranslate);
    connect(&m_model, m_source->busyChanged(), this, &CalendarExportSheet::showState);
    connect(&m_model, m_source->calendarsChanged(), this, &CalendarExportSheet::fillCalendarPickers);
    restyle();
    fillCalendarPickers();
    retranslate();
}

CalendarExportSheet::~CalendarExportSheet() = default;

void CalendarExportSheet::build()
{
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);

    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(u"titleLabel"_s);
    layout->addWidget(m_titleLabel);

    m_explanationLabel = secondaryLabel(u"explanationLabel"_s, this);
    m_explanationLabel->setWordWrap(true);
    layout->addWidget(m_explanationLabel);

    auto* counters = new QHBoxLayout;
    counters->setSpacing(16);
    auto counter = [this, counters](const QString& name, QLabel*& icon, QLabel*& text) {
        auto* pair = new QHBoxLayout;
        pair->setSpacing(6);
        icon = new QLabel(this);
        icon->setObjectName(name + u"IconLabel"_s);
        pair->addWidget(icon, 0, Qt::AlignVCenter);
        text = secondaryLabel(name + u"CountLabel"_s, this);
        pair->addWidget(text, 0, Qt::AlignVCenter);
        counters->addLayout(pair);
    };
    counter(u"projects"_s, m_projectsIconLabel, m_projectsCountLabel);
    counter(u"ready"_s, m_readyIconLabel, m_readyCountLabel);
    counters->addStretch(1);
    layout->addLayout(counters);

    m_scrollArea = new CardScrollArea(this);
    m_scrollArea->setObjectName(u"cardsScrollArea"_s);
    m_scrollArea->setMinimumSize(520, 300);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget;
    content->setObjectName(u"cardsWidget"_s);
    m_cardsLayout = new QVBoxLayout(content);
    m_cardsLayout->setContentsMargins(0, 0, 0, 0);
    m_cardsLayout->setSpacing(10);
    for (qsizetype index = 0; index < m_source->selectionCount(); ++index)
        addCard(index);
    m_cardsLayout->addStretch(1);
    m_scrollArea->setWidget(content);
    // The cards sit on the sheet's own background, not on a slab of the viewport's.
    m_scrollArea->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    layout->addWidget(m_scrollArea, 1);

    m_noteLabel = secondaryLabel(u"noteLabel"_s, this);
    m_noteLabel->setWordWrap(true);
    layout->addWidget(m_noteLabel);

    auto* buttons = new QHBoxLayout;
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(u"cancelButton"_s);
    m_cancelButton->setAutoDefault(false);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch(1);
    m_exportButton = new QPushButton(this);
    m_exportButton->setObjectName(u"exportButton"_s);
    // Drawn as the default button; Return reaches requestExport() through keyPressEvent(), as a
    // plain widget has no dialog to route it.
    m_exportButton->setDefault(true);
    buttons->addWidget(m_exportButton);
    layout->addLayout(buttons);

    connect(m_cancelButton, &QPushButton::clicked, this, &CalendarExportSheet::requestCancel);
    connect(m_exportButton, &QPushButton::clicked, this, &CalendarExportSheet::requestExport);
}

void CalendarExportSheet::addCard(qsizetype index)
{
    QWidget* content = m_cardsLayout->parentWidget();
    auto* frame = new CardFrame(content);
    frame->setObjectName(u"projectCardFrame"_s);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);

    Card card;
    auto* checkBox = new ProjectNameCheckBox(frame);
    checkBox->setObjectName(u"projectCheckBox"_s);
    checkBox->setName(m_source->projectName(index));
    checkBox->setChecked(m_source->isSelected(index));
    card.checkBox = checkBox;
    auto* name = new QVBoxLayout;
    name->setSpacing(2);
    name->addWidget(checkBox);
    card.entriesLabel = secondaryLabel(u"entriesLabel"_s, frame);
    name->addWidget(card.entriesLabel);
    layout->addLayout(name);

    auto* picker = new QHBoxLayout;
    picker->setSpacing(8);
    card.calendarLabel = new QLabel(frame);
    card.calendarLabel->setObjectName(u"calendarLabel"_s);
    picker->addWidget(card.calendarLabel);
    card.calendarCombo = new QComboBox(frame);
    card.calendarCombo->setObjectName(u"calendarComboBox"_s);
    // A long calendar name widens the popup, not the sheet.
    card.calendarCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    card.calendarCombo->setMinimumContentsLength(16);
    card.calendarLabel->setBuddy(card.calendarCombo);
    picker->addWidget(card.calendarCombo, 1);
    layout->addLayout(picker);

    connect(checkBox, &QCheckBox::toggled, this, [this, index](bool checked) {
        m_source->setSelected(index, checked);
        showState();
    });
    // Only a choice of the user's reaches the draft; refilling the list does not.
    connect(card.calendarCombo, &QComboBox::activated, this, [this, index](int item) {
        const QVariant id = m_cards.at(index).calendarCombo->itemData(item);
        m_source->setCalendarID(index, id.isValid() ? std::optional(id.toString()) : std::nullopt);
        showState();
    });

    m_cards.append(card);
    m_cardsLayout->addWidget(frame);
}

void CalendarExportSheet::retranslate()
{
    setLocale(m_model.appLocale());
    const QString title = m_model.localized(m_source->title());
    setWindowTitle(title);
    m_titleLabel->setText(title);
    m_explanationLabel->setText(
        m_model.localized(Text::en("Select which projects from the current Overview date range should be exported and "
                                   "choose the destination calendar for each one.")));
    m_noteLabel->setText(m_model.localized(Text::en("Choose a calendar for at least one selected project to export.")));
    m_cancelButton->setText(m_model.localized(Text::en("Cancel")));
    //: Verb, a button: send the selected entries to the calendars.
    m_exportButton->setText(m_model.localized(Text::en("Export")));
    for (qsizetype index = 0; index < m_cards.size(); ++index) {
        const Card& card = m_cards.at(index);
        const int entries = m_source->entryCount(index);
        card.entriesLabel->setText(m_model.localizedPlural(Text::plural("%n entries in range"), entries));
        card.checkBox->setAccessibleDescription(card.entriesLabel->text());
        card.calendarLabel->setText(m_model.localized(Text::en("Calendar")));
        if (card.calendarCombo->count() > 0)
            card.calendarCombo->setItemText(0, m_model.localized(Text::en("Skip this project")));
    }
    showState();
}

void CalendarExportSheet::restyle()
{
    QFont titleFont = scaledFont(font(), 1.4);
    titleFont.setBold(true);
    m_titleLabel->setFont(titleFont);

    const QFont caption = captionFont(font());
    m_projectsCountLabel->setFont(caption);
    m_readyCountLabel->setFont(caption);
    m_noteLabel->setFont(caption);

    // The entry count sits under the project's name, not under the check mark.
    const int indent = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this)
        + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
    QFont nameFont = font();
    nameFont.setWeight(QFont::Medium);
    for (const Card& card : std::as_const(m_cards)) {
        card.checkBox->setFont(nameFont);
        card.entriesLabel->setFont(caption);
        card.entriesLabel->setIndent(indent);
    }

    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const qreal ratio = devicePixelRatioF();
    const QColor secondary = palette().color(QPalette::PlaceholderText);
    const QIcon folder = QIcon::fromTheme(u"folder"_s, QIcon(folderPixmap(iconSize, ratio, secondary)));
    const QIcon calendar = QIcon::fromTheme(u"appointment-new"_s,
        QIcon::fromTheme(u"x-office-calendar"_s, QIcon(calendarPlusPixmap(iconSize, ratio, secondary))));
    m_projectsIconLabel->setPixmap(folder.pixmap(QSize(iconSize, iconSize), ratio));
    m_readyIconLabel->setPixmap(calendar.pixmap(QSize(iconSize, iconSize), ratio));
}

void CalendarExportSheet::fillCalendarPickers()
{
    const QList<CalendarExportSheetSource::Calendar> calendars = m_source->calendars();
    const QString skip = m_model.localized(Text::en("Skip this project"));
    for (qsizetype index = 0; index < m_cards.size(); ++index) {
        QComboBox* combo = m_cards.at(index).calendarCombo;
        combo->clear();
        combo->addItem(skip);
        for (const auto& calendar : calendars)
            combo->addItem(calendar.label, calendar.id);
        showCalendarChoice(index);
    }
    showState();
}

void CalendarExportSheet::showCalendarChoice(qsizetype index)
{
    QComboBox* combo = m_cards.at(index).calendarCombo;
    const QString id = m_source->calendarID(index).value_or(QString()).trimmed();
    // A calendar that is no longer listed shows as no choice at all rather than as another
    // calendar; the draft keeps it until the user picks one.
    combo->setCurrentIndex(id.isEmpty() ? 0 : combo->findData(id));
}

void CalendarExportSheet::showState()
{
    const bool busy = m_source->isBusy();
    m_projectsCountLabel->setText(
        m_model.localizedPlural(Text::plural("%n projects in range"), int(m_source->selectionCount())));
    m_readyCountLabel->setText(
        m_model.localizedPlural(Text::plural("%n ready to export"), int(m_source->readyCount())));
    const bool ready = m_source->hasAnySelectedProjectWithCalendar();
    m_noteLabel->setVisible(!ready);
    m_exportButton->setEnabled(ready && !busy);
    for (qsizetype index = 0; index < m_cards.size(); ++index) {
        const Card& card = m_cards.at(index);
        const bool selected = m_source->isSelected(index);
        card.checkBox->setChecked(selected);
        card.calendarCombo->setEnabled(selected && !busy);
    }
}

void CalendarExportSheet::requestExport()
{
    if (m_exportButton->isEnabled())
        Q_EMIT exportRequested();
}

void CalendarExportSheet::requestCancel()
{
    Q_EMIT cancelRequested();
}

QSize CalendarExportSheet::sizeHint() const
{
    QSize hint = QWidget::sizeHint();
    hint.setWidth(std::max(hint.width(), 560));
    if (const QScreen* shown = screen())
        hint.setHeight(std::min(hint.height(), shown->availableGeometry().height() * 9 / 10));
    return hint;
}

void CalendarExportSheet::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        requestExport();
        event->accept();
        return;
    case Qt::Key_Escape:
        requestCancel();
        event->accept();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void CalendarExportSheet::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (!m_titleLabel)
        return;
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
        restyle();
        break;
    default:
        break;
    }
}

GoogleCalendarExportSheet::GoogleCalendarExportSheet(AppModel& model, GoogleCalendarExportDraft& draft, QWidget* parent)
    : CalendarExportSheet(model, std::make_unique<GoogleSource>(model, draft), parent)
{
    setObjectName(u"googleCalendarExportSheet"_s);
}

GoogleCalendarExportSheet::~GoogleCalendarExportSheet() = default;

AppleCalendarExportSheet::AppleCalendarExportSheet(AppModel& model, AppleCalendarExportDraft& draft, QWidget* parent)
    : CalendarExportSheet(model, std::make_unique<AppleSource>(model, draft), parent)
{
    setObjectName(u"appleCalendarExportSheet"_s);
}

AppleCalendarExportSheet::~AppleCalendarExportSheet() = default;

} // namespace tivren
