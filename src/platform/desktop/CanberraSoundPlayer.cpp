// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/CanberraSoundPlayer.h"

#include "core/ApplicationId.h"

#include <canberra.h>

namespace tivren {

CanberraSoundPlayer::CanberraSoundPlayer()
{
    // One thread that never expires: the context is always used from the thread that made it,
    // and sounds play in the order they were asked for.
    m_worker.setMaxThreadCount(1);
    m_worker.setExpiryTimeout(-1);
}

CanberraSoundPlayer::~CanberraSoundPlayer()
{
    m_worker.start([this] {
        if (m_context)
            ca_context_destroy(m_context);
        m_context = nullptr;
    });
    m_worker.waitForDone();
}

void CanberraSoundPlayer::playPhaseSound()
{
    m_worker.start([this] {
        play();
    });
}

void CanberraSoundPlayer::play()
{
    if (m_contextFailed)
        return;
    if (!m_context) {
        if (ca_context_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            m_contextFailed = true;
            return;
        }
        // Lets the sound server show and mix the sound as Tivren's.
        const QByteArray id = ApplicationId::name().toUtf8();
        ca_context_change_props(m_context,
            CA_PROP_APPLICATION_NAME,
            "Tivren",
            CA_PROP_APPLICATION_ID,
            id.constData(),
            CA_PROP_APPLICATION_ICON_NAME,
            id.constData(),
            nullptr);
    }
    // Errors are dropped on purpose: with no sound device or no theme the sound is simply not
    // heard, which is not worth telling the user about. Only a theme without "complete" is
    // worth a second try.
    const int result = ca_context_play(
        m_context, 0, CA_PROP_EVENT_ID, "complete", CA_PROP_EVENT_DESCRIPTION, "Pomodoro phase changed", nullptr);
    if (result == CA_ERROR_NOTFOUND)
        ca_context_play(
            m_context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "Pomodoro phase changed", nullptr);
}

} // namespace tivren
