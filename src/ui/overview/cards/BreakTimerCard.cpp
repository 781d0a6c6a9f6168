// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/cards/BreakTimerCard.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "core/time/DurationFormat.h"
#include "ui/overview/cards/TimerCardParts.h"
#include "ui/style/Accessibility.h"
#include "ui/style/TickingLabel.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

BreakTimerCard::BreakTimerCard(AppModel& model, QWidget* parent)
    : Style::Card(parent, 0.12)
    , m_model(model)
{
    setObjectName(u"breakCard"_s);
    const TimerCardParts::Columns columns = TimerCardParts::columns(this);
    m_phase = Style::label(TextStyle::headline, u"breakPhaseLabel"_s, this);
    columns.texts->addWidget(m_phase);
    m_remaining = TimerCardParts::clockLabel(u"breakRemainingLabel"_s, columns, this);

    m_skipButton = TimerCardParts::button(u"skipBreakButton"_s, u"media-skip-forward"_s, columns, this);
    connect(m_skipButton, &QPushButton::clicked, this, [this] {
        m_model.skipPomodoroPhase();
    });
    m_stopButton = TimerCardParts::button(u"stopBreakButton"_s, u"media-playback-stop"_s, columns, this);
    connect(m_stopButton, &QPushButton::clicked, this, [this] {
        m_model.stopTimer();
    });
}

void BreakTimerCard::retranslate()
{
    m_skipButton->setText(m_model.localized(Text::en("Skip Break")));
    //: Verb, a button: stop tracking time.
    m_stopButton->setText(m_model.localized(Text::en("Stop Timer")));
    m_stopButton->setToolTip(Accessibility::withShortcut(m_stopButton->text(), Shortcuts::toggleTimer()));
}

void BreakTimerCard::refresh()
{
    const auto& phase = m_model.pomodoroPhase();
    const bool onBreak = !m_model.activeSession() && phase && m_model.pomodoroRemaining();
    setVisible(onBreak);
    if (onBreak) {
        setTint(TimerCardParts::phaseColor(*phase), 0.12);
        m_phase->setText(TimerCardParts::phaseLabel(m_model, *phase));
    }
}

void BreakTimerCard::refreshClock()
{
    if (const std::optional<Seconds> remaining = m_model.pomodoroRemaining())
        m_remaining->setTickingText(formattedDuration(*remaining));
}

} // namespace tivren
