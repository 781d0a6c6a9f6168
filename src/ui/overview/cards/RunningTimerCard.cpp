// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/cards/RunningTimerCard.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/time/DurationFormat.h"
#include "ui/overview/cards/TimerCardParts.h"
#include "ui/style/Accessibility.h"
#include "ui/style/Glyphs.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/TickingLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

RunningTimerCard::RunningTimerCard(AppModel& model, QWidget* parent)
    : Style::Card(parent, 0.12)
    , m_model(model)
{
    setObjectName(u"runningCard"_s);
    const TimerCardParts::Columns columns = TimerCardParts::columns(this);
    m_headline = Style::label(TextStyle::headline, u"runningHeadlineLabel"_s, this);
    columns.texts->addWidget(m_headline);
    m_project = Style::label(TextStyle::body, u"runningProjectLabel"_s, this);
    m_project->setTextFormat(Qt::PlainText);
    columns.texts->addWidget(m_project);
    m_elapsed = TimerCardParts::clockLabel(u"runningElapsedLabel"_s, columns, this);
    columns.texts->addWidget(buildPhaseRow());

    m_stopButton = TimerCardParts::button(u"stopTimerButton"_s, u"media-playback-stop"_s, columns, this);
    connect(m_stopButton, &QPushButton::clicked, this, [this] {
        m_model.stopTracking(false);
    });
    m_skipPhaseButton = TimerCardParts::button(u"skipPhaseButton"_s, u"media-skip-forward"_s, columns, this);
    connect(m_skipPhaseButton, &QPushButton::clicked, this, [this] {
        m_model.skipPomodoroPhase();
    });
}

QWidget* RunningTimerCard::buildPhaseRow()
{
    m_phase = new QWidget(this);
    m_phase->setObjectName(u"runningPhaseWidget"_s);
    auto* row = new QHBoxLayout(m_phase);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    auto* timerIcon = new QLabel(m_phase);
    const int iconSize = QFontMetrics(Style::font(TextStyle::caption, font())).height();
    timerIcon->setPixmap(runningTrayIcon().pixmap(iconSize, iconSize));
    row->addWidget(timerIcon);
    m_phaseText = new TickingLabel(m_phase);
    m_phaseText->setBackdrop([this](QPainter& painter) {
        paintInterior(painter, m_phaseText);
    });
    Style::styleLabel(m_phaseText, TextStyle::caption, u"runningPhaseLabel"_s);
    QPalette orange = m_phaseText->palette();
    orange.setColor(QPalette::WindowText, projectColor(u"orange"_s).darker(115));
    m_phaseText->setPalette(orange);
    row->addWidget(m_phaseText);
    row->addStretch();
    return m_phase;
}

void RunningTimerCard::retranslate()
{
    m_headline->setText(m_model.localized(Text::en("Currently Tracking")));
    //: Verb, a button: stop tracking time.
    m_stopButton->setText(m_model.localized(Text::en("Stop Timer")));
    m_stopButton->setToolTip(Accessibility::withShortcut(m_stopButton->text(), Shortcuts::toggleTimer()));
    m_skipPhaseButton->setText(m_model.localized(Text::en("Skip Phase")));
}

void RunningTimerCard::refresh()
{
    const std::optional<Project> active = m_model.activeProject();
    const bool running = m_model.activeSession() && active;
    setVisible(running);
    if (running) {
        setTint(projectColor(active->colorName), 0.12);
        m_project->setText(active->name);
    }
    m_skipPhaseButton->setVisible(m_model.pomodoroPhase().has_value());
}

void RunningTimerCard::refreshClock()
{
    if (!m_model.activeSession())
        return;
    const auto& phase = m_model.pomodoroPhase();
    const std::optional<Seconds> remaining = m_model.pomodoroRemaining();
    m_elapsed->setTickingText(formattedDuration(m_model.now() - m_model.activeSession()->startDate));
    const bool phaseShown = phase && remaining;
    m_phase->setVisible(phaseShown);
    if (phaseShown) {
        m_phaseText->setTickingText(m_model.localized(Text::en("%@ - %@ remaining"),
            { TimerCardParts::phaseLabel(m_model, *phase), formattedDuration(*remaining) }));
    }
}

} // namespace tivren
