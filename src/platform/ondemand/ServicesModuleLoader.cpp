// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ondemand/ServicesModuleLoader.h"

#include "app/services/BackgroundTask.h"
#include "app/text/AppStrings.h"

#include <QCoreApplication>
#include <QCoroFuture>
#include <QLibrary>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

ServicesModuleError unusable(const QString& reason)
{
    return { AppStrings::text(QLocale::system(),
        Text::en("Tivren could not load a part of its installation (%@). Reinstalling Tivren may fix this."),
        { QString(reason).replace(u'\n', u' ') }) };
}

// Runs on a pool thread. Every symbol is bound now, so a module that does not fit this executable
// fails here, with the name of what is missing, and never later in the middle of an operation. The
// reason is put into words back on the user-interface thread, where the translations live.
Expected<ServicesModuleFactory, QString> open(const QString& path)
{
    QLibrary library(path);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library.load())
        return Unexpected(library.errorString());
    const auto factory = reinterpret_cast<ServicesModuleFactory>(library.resolve(servicesModuleFactoryName));
    if (!factory)
        return Unexpected(u"%1 has no %2"_s.arg(path, QString::fromLatin1(servicesModuleFactoryName)));
    return factory; // never unloaded: the services it makes live until the program ends
}

} // namespace

ServicesModuleLoader::ServicesModuleLoader(QString path)
    : m_path(std::move(path))
{
}

ServicesModuleLoader::~ServicesModuleLoader() = default;

QString ServicesModuleLoader::defaultPath()
{
    return QCoreApplication::applicationDirPath() + u'/' + QString::fromUtf8(TIVREN_SERVICES_MODULE);
}

QCoro::Task<Expected<ServicesModule*, ServicesModuleError>> ServicesModuleLoader::module()
{
    if (!m_loading) {
        m_loading = runInBackground([path = m_path] {
            return open(path);
        });
    }
    const QFuture<Loaded> loading = *m_loading;
    const Loaded loaded = co_await loading;
    if (!loaded)
        co_return Unexpected(unusable(loaded.error()));
    if (!m_module)
        m_module.reset((*loaded)());
    co_return m_module.get();
}

} // namespace tivren
