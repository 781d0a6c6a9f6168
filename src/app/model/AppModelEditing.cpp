// SPDX-License-Identifier: GPL-3.0-or-later
// Editing projects, entries and settings; the derived project lists; number and time formats.
#include "app/model/AppModel.h"
#include "app/services/BreakOverlayPresenting.h"
#include "app/services/LoginItemService.h"
#include "app/text/AppStrings.h"
#include "core/billing/BillingEngine.h"

#include <QCollator>
#include <QSet>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// By name, case-insensitive and locale-aware; equal names keep their stored order.
QList<Project> sortedByName(QList<Project> projects, const QLocale& locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(projects.begin(), projects.end(), [&collator](const Project& a, const Project& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return projects;
}

} // namespace

void AppModel::updateProject(const Project& project,
    const QString& name,
    std::optional<double> hourlyRate,
    int billingIncrementMinutes,
    BillingRoundingStrategy billingRoundingStrategy,
    const QString& colorName)
{
    const qsizetype index = indexOfProject(project.id);
    if (index < 0)
        return;
    QList<Project> projects = m_projects;
    Project& stored = projects[index];
    stored.name = name;
    stored.hourlyRate = hourlyRate;
    stored.billingIncrementMinutes = std::max(billingIncrementMinutes, 1);
    stored.billingRoundingStrategy = billingRoundingStrategy;
    stored.colorName = colorName;
    setProjects(projects);
    persist();
}

void AppModel::archiveProject(const Project& project)
{
    const qsizetype index = indexOfProject(project.id);
    if (index < 0)
        return;
    QList<Project> projects = m_projects;
    projects[index].isArchived = true;
    setProjects(projects);
    if (m_activeSession && m_activeSession->projectID == project.id)
        stopTracking(false);
    persist();
}

void AppModel::restoreProject(const Project& project)
{
    const qsizetype index = indexOfProject(project.id);
    if (index < 0)
        return;
    QList<Project> projects = m_projects;
    projects[index].isArchived = false;
    setProjects(projects);
    persist();
}

void AppModel::updateEntry(const TimeEntry& entry, Instant startDate, Instant endDate, const QString& notes)
{
    if (!(endDate > startDate)) {
        setErrorMessage(localized(Text::en("The end time must be later than the start time.")));
        return;
    }
    const auto it = std::find_if(m_entries.cbegin(), m_entries.cend(), [&entry](const TimeEntry& e) {
        return e.id == entry.id;
    });
    if (it == m_entries.cend())
        return;
    TimeEntry edited = *it;
    edited.startDate = startDate;
    edited.endDate = endDate;
    edited.notes = notes;
    replaceEntry(it - m_entries.cbegin(), edited);
    persist();
}

void AppModel::deleteEntry(const TimeEntry& entry)
{
    removeEntries(entry.id);
    persist(); // also when nothing was removed
}

void AppModel::updateCurrencyCode(const QString& code)
{
    AppSettings settings = m_settings;
    settings.currencyCode = code;
    setSettingsField(settings);
    persist();
}

void AppModel::updatePomodoroOverlayEnabled(bool enabled)
{
    AppSettings settings = m_settings;
    settings.pomodoroOverlayEnabled = enabled;
    setSettingsField(settings);
    if (!enabled)
        m_services.overlayManager.hideBreakOverlay();
    persist();
}

void AppModel::updateWorkReminderIntervalMinutes(int minutes)
{
    AppSettings settings = m_settings;
    settings.workReminderIntervalMinutes = std::clamp(minutes, 5, 120);
    setSettingsField(settings);
    m_workReminderLastFired.reset();
    persist();
}

QCoro::Task<> AppModel::setLaunchAtLogin(bool enabled)
{
    const auto result = co_await m_services.loginItems.setEnabled(enabled);
    if (!result)
        setErrorMessage(localized(Text::en("Could not update launch at login: %@"), { result.error().description }));
}

QList<Project> AppModel::activeProjects() const
{
    QList<Project> active;
    std::copy_if(m_projects.cbegin(), m_projects.cend(), std::back_inserter(active), [](const Project& p) {
        return !p.isArchived;
    });
    return sortedByName(active, appLocale());
}

QList<Project> AppModel::archivedProjects() const
{
    QList<Project> archived;
    std::copy_if(m_projects.cbegin(), m_projects.cend(), std::back_inserter(archived), [](const Project& p) {
        return p.isArchived;
    });
    return sortedByName(archived, appLocale());
}

std::optional<Project> AppModel::activeProject() const
{
    if (!m_activeSession)
        return std::nullopt;
    return project(m_activeSession->projectID);
}

std::optional<Project> AppModel::project(const QUuid& id) const
{
    const qsizetype index = indexOfProject(id);
    if (index < 0)
        return std::nullopt;
    return m_projects[index];
}

QList<Project> AppModel::recentlyUsedProjects(int limit) const
{
    QList<Project> result;
    if (limit < 1)
        return result;
    QHash<QUuid, Project> active;
    for (const Project& p : activeProjects())
        active.insert(p.id, p);
    QSet<QUuid> taken;
    auto take = [&](const QUuid& id) {
        const auto it = active.constFind(id);
        if (it != active.constEnd() && !taken.contains(id)) {
            taken.insert(id);
            result.append(*it);
        }
    };
    if (m_activeSession)
        take(m_activeSession->projectID);
    // Latest start first, equal starts in list order; the index has them in that order already, and
    // every entry the model holds has a start.
    m_entryIndex.latestFirst([&](qsizetype position) {
        if (result.size() >= limit)
            return false;
        take(m_entries[position].projectID);
        return true;
    });
    return result.mid(0, limit);
}

QString AppModel::currencyString(double amount) const
{
    if (const auto text = m_numberFormats.currency(amount, m_settings.currencyCode, appLocale()))
        return *text;
    return decimalString(amount, 2, 2);
}

QString AppModel::decimalString(double value, int minimumFractionDigits, int maximumFractionDigits) const
{
    if (const auto text = m_numberFormats.decimal(value, minimumFractionDigits, maximumFractionDigits, appLocale()))
        return *text;
    return QString::number(value, 'f', std::max(maximumFractionDigits, 0));
}

} // namespace tivren
