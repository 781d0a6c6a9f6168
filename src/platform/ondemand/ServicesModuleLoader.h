// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "platform/ondemand/ServicesModule.h"

#include <QFuture>
#include <QString>
#include <qcoro/qcorotask.h>

#include <memory>
#include <optional>

namespace tivren {

// Why the services module cannot be used: one line for the user, with the loader's own words.
struct ServicesModuleError
{
    QString message;

    bool operator==(const ServicesModuleError&) const = default;
};

// Loads the services module once, on first use and off the user-interface thread (loading it maps
// dozens of libraries), and keeps it loaded until the program ends.
class ServicesModuleLoader
{
public:
    explicit ServicesModuleLoader(QString path);
    ~ServicesModuleLoader();

    // Where the build and the installation put the module, relative to the running executable.
    [[nodiscard]] static QString defaultPath();

    // Every caller waits for the same load; after a failed load every caller gets its error.
    [[nodiscard]] QCoro::Task<Expected<ServicesModule*, ServicesModuleError>> module();

private:
    using Loaded = Expected<ServicesModuleFactory, QString>; // or why it could not be loaded

    QString m_path;
    std::optional<QFuture<Loaded>> m_loading;
    std::unique_ptr<ServicesModule> m_module;
};

} // namespace tivren
