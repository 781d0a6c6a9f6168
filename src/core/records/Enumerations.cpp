// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/BillingRoundingStrategy.h"
#include "core/pomodoro/PomodoroPhase.h"
#include "core/records/AppLanguagePreference.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// Each enumeration's cases with their stored names, in declaration order.
constexpr std::array strategyNames {
    std::pair { BillingRoundingStrategy::roundUpPerEntry, u"roundUpPerEntry" },
    std::pair { BillingRoundingStrategy::roundNearestPerEntry, u"roundNearestPerEntry" },
    std::pair { BillingRoundingStrategy::roundProjectTotal, u"roundProjectTotal" },
};

constexpr std::array languageNames {
    std::pair { AppLanguagePreference::system, u"system" },
    std::pair { AppLanguagePreference::english, u"en" },
    std::pair { AppLanguagePreference::dutch, u"nl" },
    std::pair { AppLanguagePreference::german, u"de" },
    std::pair { AppLanguagePreference::french, u"fr" },
    std::pair { AppLanguagePreference::spanish, u"es" },
};

constexpr std::array phaseNames {
    std::pair { PomodoroPhase::work, u"work" },
    std::pair { PomodoroPhase::shortBreak, u"shortBreak" },
    std::pair { PomodoroPhase::longBreak, u"longBreak" },
};

template <typename Table, typename Enum> QString nameOf(const Table& table, Enum value)
{
    for (const auto& [candidate, name] : table) {
        if (candidate == value)
            return QString::fromUtf16(name);
    }
    return {};
}

template <typename Table>
auto valueOf(const Table& table, QStringView raw) -> std::optional<typename Table::value_type::first_type>
{
    for (const auto& [candidate, name] : table) {
        if (raw == QStringView(name))
            return candidate;
    }
    return std::nullopt;
}

template <typename Table> auto casesOf(const Table& table)
{
    QList<typename Table::value_type::first_type> cases;
    for (const auto& entry : table)
        cases.append(entry.first);
    return cases;
}

} // namespace

QString rawValue(BillingRoundingStrategy strategy)
{
    return nameOf(strategyNames, strategy);
}

std::optional<BillingRoundingStrategy> billingRoundingStrategyFromRawValue(QStringView raw)
{
    return valueOf(strategyNames, raw);
}

QList<BillingRoundingStrategy> allBillingRoundingStrategies()
{
    return casesOf(strategyNames);
}

QString rawValue(AppLanguagePreference preference)
{
    return nameOf(languageNames, preference);
}

std::optional<AppLanguagePreference> appLanguagePreferenceFromRawValue(QStringView raw)
{
    return valueOf(languageNames, raw);
}

std::optional<QString> localeIdentifier(AppLanguagePreference preference)
{
    if (preference == AppLanguagePreference::system)
        return std::nullopt;
    return rawValue(preference);
}

QList<AppLanguagePreference> allAppLanguagePreferences()
{
    return casesOf(languageNames);
}

QString rawValue(PomodoroPhase phase)
{
    return nameOf(phaseNames, phase);
}

std::optional<PomodoroPhase> pomodoroPhaseFromRawValue(QStringView raw)
{
    return valueOf(phaseNames, raw);
}

} // namespace tivren
