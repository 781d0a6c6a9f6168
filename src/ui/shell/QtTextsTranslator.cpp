// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/QtTextsTranslator.h"

#include "app/model/AppModel.h"

#include <QCoreApplication>
#include <QLibraryInfo>

using namespace Qt::StringLiterals;

namespace tivren {

QtTextsTranslator::QtTextsTranslator(AppModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model)
{
    follow(m_model.appLocale());
    connect(&m_model, &AppModel::settingsChanged, this, [this] {
        follow(m_model.appLocale());
    });
}

QtTextsTranslator::~QtTextsTranslator()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

void QtTextsTranslator::follow(const QLocale& locale)
{
    if (locale.name() == m_localeName)
        return;
    m_localeName = locale.name();
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
    // qtbase_<language>.qm from the system's Qt (Debian: qt6-translations-l10n); without it, or for
    // English, Qt's texts stay English.
    m_installed = m_translator.load(locale, u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(&m_translator);
}

} // namespace tivren
