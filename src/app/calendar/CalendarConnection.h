// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarConnectionBase.h"
#include "app/calendar/CalendarConnectionTraits.h"
#include "app/calendar/CalendarExportDraft.h"
#include "core/records/CalendarEventLink.h"

#include <qcoro/qcorotask.h>

namespace tivren {

// One calendar service as the model uses it: connecting and disconnecting, the calendar list and
// the chosen calendar (kept in the settings), export drafts, exports and the links of exported
// events (kept in the model's data file). The model owns one for Google and one for the desktop.
template <typename Service> class CalendarConnection final : public CalendarConnectionBase
{
public:
    using Traits = CalendarConnectionTraits<Service>;
    using Servicing = typename Traits::Servicing;
    using Item = typename Traits::Item;
    using Link = CalendarEventLink<Service>;
    using Draft = CalendarExportDraft<Service>;

    CalendarConnection(AppModel& model, Servicing& service);

    const QList<Item>& calendars() const { return m_calendars; }
    const QList<Link>& eventLinks() const { return m_eventLinks; }
    std::optional<QString> account() const override { return Traits::account(m_calendars); }

    // At start-up: connected when access was granted before; the calendars are fetched when wanted.
    QCoro::Task<> restore();
    QCoro::Task<> connectService();
    QCoro::Task<> disconnectService();
    QCoro::Task<> refresh();
    void select(const Item& item);
    // A draft for the range; nothing when there is nothing to export (the reason is said).
    std::optional<Draft> exportDraft(InstantRange range);
    QCoro::Task<> exportEntries(Draft draft, InstantRange range);
    // The links as loaded from the data file.
    void setEventLinks(const QList<Link>& links);
    // Adds links, one per entry and calendar: a new link replaces the old one of its event.
    void mergeEventLinks(const QList<Link>& links);

protected:
    std::optional<QString> selectedCalendarName() const override;
    bool isReady() const override { return hasAuthorization() && !m_calendars.isEmpty(); }
    void startRefresh() override;

private:
    const CalendarSettings<Service>& settings() const;
    void setCalendars(const QList<Item>& calendars);
    // The stored choice in the list, if it is there.
    const Item* listedSelection() const;
    // After a fetch: the stored choice's name is brought up to date, or a first choice made. A
    // choice no longer listed is kept and reported, so entries never go elsewhere unnoticed.
    void keepSelection();

    Servicing& m_service;
    QList<Item> m_calendars;
    QList<Link> m_eventLinks;
};

using GoogleCalendarConnection = CalendarConnection<GoogleCalendarService_Tag>;
using DesktopCalendarConnection = CalendarConnection<AppleCalendarService_Tag>;

extern template class CalendarConnection<GoogleCalendarService_Tag>;
extern template class CalendarConnection<AppleCalendarService_Tag>;

} // namespace tivren
