// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/model/MainSection.h"

#include "app/text/AppStrings.h"

using namespace Qt::StringLiterals;

namespace tivren {

QString rawValue(MainSection section)
{
    switch (section) {
    case MainSection::overview:
        return u"overview"_s;
    case MainSection::timeline:
        return u"timeline"_s;
    case MainSection::projects:
        return u"projects"_s;
    case MainSection::settings:
        return u"settings"_s;
    }
    return {};
}

std::optional<MainSection> mainSectionFromRawValue(QStringView raw)
{
    for (MainSection section : allMainSections()) {
        if (raw == rawValue(section))
            return section;
    }
    return std::nullopt;
}

QList<MainSection> allMainSections()
{
    return { MainSection::overview, MainSection::timeline, MainSection::projects, MainSection::settings };
}

QString title(MainSection section, const QLocale& locale)
{
    switch (section) {
    case MainSection::overview:
        return AppStrings::text(locale, Text::en("Overview"));
    case MainSection::timeline:
        return AppStrings::text(locale, Text::en("Timeline"));
    case MainSection::projects:
        return AppStrings::text(locale, Text::en("Projects"));
    case MainSection::settings:
        return AppStrings::text(locale, Text::en("Settings"));
    }
    return {};
}

} // namespace tivren
