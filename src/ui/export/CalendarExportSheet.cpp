// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/CalendarExportSheet.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/export/CalendarExportSheetSource.h"
#include "ui/export/CardScrollArea.h"
#include "ui/export/ProjectNameCheckBox.h"
#include "ui/style/Glyphs.h"
#include "ui/style/Style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

// Small print in the palette's quieter colour.
QLabel* captionLabel(const QString& objectName, QWidget* parent)
{
    return Style::label(TextStyle::caption, objectName, parent, Tone::secondary);
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
    connect(&m_source->connection(), m_source->busyChanged(), this, &CalendarExportSheet::showState);
    connect(&m_source->connection(), m_source->calendarsChanged(), this, &CalendarExportSheet::fillCalendarPickers);
    connect(&m_source->connection(), m_source->calendarsChanged(), this, &CalendarExportSheet::showAccount);
    restyle();
    fillCalendarPickers();
    retranslate();
}

CalendarExportSheet::~CalendarExportSheet() = default;

void CalendarExportSheet::build()
{
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(16);

    m_titleLabel = Style::label(TextStyle::title, u"titleLabel"_s, this);
    layout->addWidget(m_titleLabel);

    m_explanationLabel = Style::label(TextStyle::body, u"explanationLabel"_s, this, Tone::secondary);
    m_explanationLabel->setWordWrap(true);
    layout->addWidget(m_explanationLabel);

    // Who is signed in, before anything is exported: a wrong account is noticed here.
    m_accountLabel = captionLabel(u"accountLabel"_s, this);
    layout->addWidget(m_accountLabel);

    auto* counters = new QHBoxLayout;
    counters->setSpacing(16);
    auto counter = [this, counters](const QString& name, QLabel*& icon, QLabel*& text) {
        auto* pair = new QHBoxLayout;
        pair->setSpacing(6);
        icon = new QLabel(this);
        icon->setObjectName(name + u"IconLabel"_s);
        pair->addWidget(icon, 0, Qt::AlignVCenter);
        text = captionLabel(name + u"CountLabel"_s, this);
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

    m_noteLabel = captionLabel(u"noteLabel"_s, this);
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
    auto* frame = new Style::Card(content);
    // The quieter text colour behind it, taken at paint time so it follows the theme.
    frame->setTintRole(QPalette::PlaceholderText, 0.06);
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
    card.entriesLabel = captionLabel(u"entriesLabel"_s, frame);
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
    showAccount();
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
    remeasureCards();
    showState();
}

void CalendarExportSheet::showAccount()
{
    m_accountLabel->setText(m_source->connection().accountText());
    m_accountLabel->setVisible(!m_accountLabel->text().isEmpty());
}

void CalendarExportSheet::remeasureCards()
{
    // Before the sheet is shown, a nested layout keeps the size it measured first (empty texts),
    // and so does the sheet's layout for the scroll area: measure again, so the cards fit.
    QWidget* content = m_scrollArea->widget();
    for (QLayout* layout : content->findChildren<QLayout*>())
        layout->invalidate();
    for (QWidget* card : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        card->updateGeometry();
    m_scrollArea->updateGeometry();
}

void CalendarExportSheet::restyle()
{
    m_titleLabel->setFont(Style::font(TextStyle::title, font()));
    const QFont caption = Style::font(TextStyle::caption, font());
    m_projectsCountLabel->setFont(caption);
    m_readyCountLabel->setFont(caption);
    m_noteLabel->setFont(caption);

    // The entry count sits under the project's name, not under the check mark.
    const int indent = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this)
        + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
    const QFont nameFont = Style::font(TextStyle::body, font(), QFont::Medium);
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
    remeasureCards();
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
    : CalendarExportSheet(model, googleExportSource(model, draft), parent)
{
    setObjectName(u"googleCalendarExportSheet"_s);
}

GoogleCalendarExportSheet::~GoogleCalendarExportSheet() = default;

AppleCalendarExportSheet::AppleCalendarExportSheet(AppModel& model, AppleCalendarExportDraft& draft, QWidget* parent)
    : CalendarExportSheet(model, appleExportSource(model, draft), parent)
{
    setObjectName(u"appleCalendarExportSheet"_s);
}

AppleCalendarExportSheet::~AppleCalendarExportSheet() = default;

} // namespace tivren
