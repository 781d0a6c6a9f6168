// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing history from another tracker: one change of the lists, one save.
#include "app/model/AppModel.h"

namespace tivren {

ImportPlan AppModel::planImportOf(const ImportReading& reading) const
{
    return planImport(reading, m_projects, m_entries, m_now);
}

ImportPlan AppModel::applyImport(const ImportReading& reading)
{
    const ImportPlan plan = planImportOf(reading);
    if (plan.newProjects.isEmpty() && plan.newEntries.isEmpty())
        return plan;
    setProjects(m_projects + plan.newProjects);
    setEntries(m_entries + plan.newEntries);
    persist();
    return plan;
}

} // namespace tivren
