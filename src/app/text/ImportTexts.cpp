// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/ImportTexts.h"

#include "app/text/AppStrings.h"
#include "app/text/Text.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace tivren::ImportTexts {

namespace {

using AppStrings::counted;

QStringList projectNames(const ImportPlan& plan)
{
    QStringList names;
    for (const Project& project : plan.newProjects)
        names << project.name;
    return names;
}

// "3 records cannot be imported:" and the first few of them with their line.
QStringList rejectionLines(const QList<ImportRejection>& rejected, const QLocale& locale)
{
    QStringList lines { counted(locale, Text::plural("%n records cannot be imported:"), int(rejected.size())) };
    for (const ImportRejection& rejection : rejected.first(std::min<qsizetype>(rejected.size(), listedRejections)))
        lines << AppStrings::text(
            locale, Text::en("Line %d: %@"), { rejection.line, reason(rejection.reason, locale) });
    if (const auto rest = int(rejected.size()) - listedRejections; rest > 0)
        lines << counted(locale, Text::plural("and %n more"), rest);
    return lines;
}

} // namespace

ImportPreview preview(ImportFormat format, const ImportPlan& plan, const QLocale& locale)
{
    ImportPreview result;
    result.title = AppStrings::text(locale, Text::en("Import from %@"), { importFormatName(format) });
    result.addsSomething = !plan.newEntries.isEmpty() || !plan.newProjects.isEmpty();
    QStringList lines;
    if (plan.newEntries.isEmpty())
        lines << AppStrings::text(locale, Text::en("Nothing new to add."));
    else
        lines << counted(locale, Text::plural("%n entries will be added."), int(plan.newEntries.size()));
    if (!plan.newProjects.isEmpty()) {
        lines << counted(locale,
            Text::plural("%n new projects: %@"),
            int(plan.newProjects.size()),
            { projectNames(plan).join(u", "_s) });
    }
    if (plan.duplicates > 0) {
        lines << counted(
            locale, Text::plural("%n entries are already in Tivren and will be skipped."), plan.duplicates);
    }
    if (!plan.rejected.isEmpty())
        lines << rejectionLines(plan.rejected, locale);
    result.summary = lines.join(u'\n');
    return result;
}

QString imported(const ImportPlan& plan, const QLocale& locale)
{
    QString text = counted(locale, Text::plural("Imported %n entries."), int(plan.newEntries.size()));
    if (!plan.newProjects.isEmpty())
        text += u' ' + counted(locale, Text::plural("Created %n projects."), int(plan.newProjects.size()));
    return text;
}

QString reason(const ImportReason& reason, const QLocale& locale)
{
    QVariantList arguments;
    for (const QString& argument : reason.arguments)
        arguments << argument;
    return AppStrings::text(locale, QString::fromUtf8(reason.text), arguments);
}

} // namespace tivren::ImportTexts
