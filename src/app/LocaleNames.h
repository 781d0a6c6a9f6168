#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

namespace tivren::LocaleNames {

} // namespace tivren::LocaleNames
