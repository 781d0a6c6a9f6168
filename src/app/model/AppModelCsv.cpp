// SPDX-License-Identifier: GPL-3.0-or-later
// The invoice CSV export of the overview's range.
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/BackgroundTask.h"
#include "app/services/FileChooser.h"
#include "app/text/AppStrings.h"
#include "app/text/NumberFormatting.h"
#include "core/billing/BillingEngine.h"
#include "core/datafile/AtomicFile.h"

#include <QCoroFuture>

using namespace Qt::StringLiterals;

namespace tivren {

QCoro::Task<> AppModel::exportCSV(InstantRange range)
{
    // e.g. "billing-Mar 2, 2026.csv", in the desktop's own language.
    const QString date = NumberFormatting::mediumDate(m_services.clock.now(), QLocale::system());
    const QString proposed = u"billing-"_s + QString(date).replace(u'/', u'-') + u".csv"_s;
    const std::optional<QString> path = co_await m_services.fileChooser.chooseCSVSaveLocation(proposed);
    if (!path || path->isEmpty())
        co_return;
    const QByteArray text = BillingEngine::exportCSV(m_entries, m_entryIndex, m_projects, range).toUtf8();
    // Kept out of the co_await expression: GCC 12 mishandles temporaries inside one.
    QFuture<Expected<FileIdentity, FileError>> writing = runInBackground([target = *path, text] {
        return AtomicFile::write(target, text, AtomicFile::sharedFileMode);
    });
    const auto written = co_await writing;
    if (!written)
        setErrorMessage(localized(Text::en("Could not export CSV: %@"), { written.error().description }));
}

} // namespace tivren
