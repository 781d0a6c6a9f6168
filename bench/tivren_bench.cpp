// SPDX-License-Identifier: GPL-3.0-or-later
// Prints one figure a line as `name=value unit`, each the median of interleaved rounds.
// Widget figures are taken under the offscreen platform unless QT_QPA_PLATFORM says otherwise.
//   tivren_bench [--rounds N] [--write-data DIR]
//   tivren_bench --write-file PATH COUNT
// --write-data also keeps the generated 1k, 10k, 50k and 200k data files in DIR; --write-file only
// writes one data file of COUNT generated entries (scripts/bench-desktop starts tivren on it).
#include "BenchData.h"
#include "core/billing/BillingEngine.h"
#include "core/datafile/AtomicFile.h"
#include "core/datafile/SnapshotCodec.h"
#include "core/datafile/TivrenRepository.h"
#include "core/time/LocalCalendar.h"
#include "support/ModelHarness.h"
#include "ui/overview/DateRangePresets.h"
#include "ui/overview/EntryListView.h"
#include "ui/overview/OverviewView.h"
#include "ui/timeline/week/WeekTimelineView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

struct Figures
{
    std::map<std::string, std::vector<double>> samples;
    std::map<std::string, std::string> units;

    void add(const std::string& name, double value, const char* unit)
    {
        samples[name].push_back(value);
        units[name] = unit;
    }

    void print(const std::vector<std::string>& order) const
    {
        for (const std::string& name : order) {
            std::vector<double> v = samples.at(name);
            std::sort(v.begin(), v.end());
            const double median = v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
            std::printf("%s=%.3f %s\n", name.c_str(), median, units.at(name).c_str());
        }
    }
};

double msSince(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

struct Dataset
{
    std::string label;
    AppSnapshot snapshot;
    QString path;
    QByteArray bytes;
    InstantRange month;
};

// What the model does to its index on one change instead of building it again: a stopped timer
// (appended, the latest start), an edit moving an entry in the middle by an hour, a deletion in the
// middle (every later position shifts). Edits and deletions work on a fresh copy, copied untimed.
void runIndexUpdates(const Dataset& d, const EntryStartIndex& built, Figures& f)
{
    const std::string& n = d.label;
    const QList<TimeEntry>& entries = d.snapshot.entries;
    const qsizetype middle = entries.size() / 2;
    QList<TimeEntry> appended = entries;
    TimeEntry latest = entries.constLast();
    latest.id = QUuid::createUuid();
    latest.startDate = 60;
    for (const TimeEntry& entry : entries)
        latest.startDate = std::max(latest.startDate, entry.endDate + 60);
    latest.endDate = latest.startDate + 1800;
    appended.append(latest);
    QList<TimeEntry> edited = entries;
    edited[middle].startDate += 3600;
    edited[middle].endDate += 3600;

    constexpr int calls = 20;
    double appendMs = 0, editMs = 0, removeMs = 0;
    QElapsedTimer t;
    // Appending reuses the vectors' spare room as the model's index does after its first append; each
    // append is taken back untimed.
    EntryStartIndex growing = built;
    growing.appended(appended);
    growing.removed(entries.size(), latest.startDate);
    for (int i = 0; i < calls; ++i) {
        t.start();
        growing.appended(appended);
        appendMs += msSince(t);
        growing.removed(entries.size(), latest.startDate);
        EntryStartIndex index = built;
        t.start();
        index.changed(edited, middle, entries[middle].startDate);
        editMs += msSince(t);
        index = built;
        t.start();
        index.removed(middle, entries[middle].startDate);
        removeMs += msSince(t);
    }
    f.add("index_append_" + n + "_us", appendMs * 1000 / calls, "us");
    f.add("index_edit_" + n + "_us", editMs * 1000 / calls, "us");
    f.add("index_remove_" + n + "_us", removeMs * 1000 / calls, "us");

    // The model's list is shared with the last saved snapshot, so the first change after a save
    // still copies it once.
    QList<TimeEntry> shared = entries;
    t.start();
    shared.detach();
    f.add("entries_detach_" + n + "_ms", msSince(t), "ms");
}

// One month's billing summaries as the model answers them (through its index by start), and by a
// plain scan of every entry, the floor the index must beat; the index's full build, which the model
// does only on a load, beside its updates in place.
void runSummaries(const Dataset& d, Figures& f)
{
    const std::string& n = d.label;
    QElapsedTimer t;
    t.start();
    const EntryStartIndex index(d.snapshot.entries);
    f.add("entry_index_build_" + n + "_ms", msSince(t), "ms");
    runIndexUpdates(d, index, f);

    constexpr int calls = 200;
    double sink = 0;
    t.start();
    for (int i = 0; i < calls; ++i)
        sink += BillingEngine::summaries(d.snapshot.entries, index, d.snapshot.projects, d.month).size();
    f.add("summaries_month_" + n + "_us", msSince(t) * 1000 / calls, "us");
    t.start();
    for (int i = 0; i < calls; ++i)
        sink -= BillingEngine::summaries(d.snapshot.entries, d.snapshot.projects, d.month).size();
    f.add("summaries_scan_month_" + n + "_us", msSince(t) * 1000 / calls, "us");
    if (sink != 0 || BillingEngine::summaries(d.snapshot.entries, d.snapshot.projects, d.month).isEmpty())
        qFatal("no summaries in the benchmark month, or the index finds other ones");
}

void runRound(Dataset& d, const QString& floorPath, TivrenRepository& repository, Figures& f)
{
    const std::string& n = d.label;
    QElapsedTimer t;

    t.start();
    const LoadResult loaded = TivrenRepository::readFile(d.path);
    f.add("load_" + n + "_ms", msSince(t), "ms");
    if (!loaded || loaded->entries.size() != d.snapshot.entries.size())
        qFatal("load failed");

    t.start();
    if (!TivrenRepository::writeFile(d.path, d.snapshot))
        qFatal("save failed");
    f.add("save_" + n + "_ms", msSince(t), "ms");

    t.start();
    if (!AtomicFile::write(floorPath, d.bytes))
        qFatal("atomic write failed");
    f.add("atomic_floor_" + n + "_ms", msSince(t), "ms");

    // What persist() costs the model: build the snapshot from its fields and queue it.
    const AppSnapshot& model = d.snapshot;
    t.start();
    AppSnapshot copy { model.projects,
        model.entries,
        model.googleCalendarEventLinks,
        model.appleCalendarEventLinks,
        model.activeSession,
        model.awayQuestion,
        model.settings };
    QFuture<SaveResult> pending = repository.save(std::move(copy));
    f.add("save_ui_thread_" + n + "_ms", msSince(t), "ms");
    pending.waitForFinished();

    runSummaries(d, f);
}

// The overview over 50k entries with "This Year" holding about 5k of them: opening it (build,
// figures, layout, first paint) and one clock tick while a timer runs (model tick, the changed
// labels, the repaint they cause).
void runOverviewRound(testing::ModelHarness& h, Figures& f)
{
    QElapsedTimer t;
    t.start();
    auto view = std::make_unique<OverviewView>(*h.model);
    const auto [start, end] = DateRanges::apply(DateRanges::Preset::thisYear, h.model->now());
    view->setRange(start, end);
    view->resize(960, 720);
    view->show();
    QCoreApplication::processEvents();
    const QPixmap first = view->grab();
    f.add("overview_open_5k_ms", msSince(t), "ms");
    const int shown = view->findChild<EntryListView*>()->entryCount();
    if (shown < 4500 || shown > 5500 || first.isNull())
        qFatal("the overview shows %d entries, not about 5k", shown);

    constexpr int ticks = 50;
    QCoreApplication::processEvents();
    t.start();
    for (int i = 0; i < ticks; ++i) {
        h.advance(1);
        QCoreApplication::processEvents();
    }
    f.add("overview_tick_5k_ms", msSince(t) / ticks, "ms");
}

// A week holding 300 entries, many overlapping: painting the canvas from its cached layer (what
// an expose costs), laying it out again and painting after a size change (what an edit or a
// resize costs), and one clock tick with a running timer in the week.
void runWeekRound(testing::ModelHarness& h, WeekTimelineView& view, Figures& f)
{
    QWidget* canvas = view.findChild<QWidget*>(u"weekCanvas"_s);
    QElapsedTimer t;
    view.resize(view.width() == 960 ? 961 : 960, 900);
    t.start();
    QCoreApplication::processEvents();
    f.add("week_relayout_paint_300_ms", msSince(t), "ms");

    QPixmap target(canvas->size());
    t.start();
    {
        QPainter painter(&target);
        view.paintCanvas(painter);
    }
    f.add("week_paint_300_ms", msSince(t), "ms");

    constexpr int ticks = 50;
    t.start();
    for (int i = 0; i < ticks; ++i) {
        h.advance(1);
        QCoreApplication::processEvents();
    }
    f.add("week_tick_300_ms", msSince(t) / ticks, "ms");
}

// Laying the week out and painting it at a width it was never drawn at, as while a window edge is
// dragged. A view of its own, so the other week figures keep their widths and their shapes.
void runFreshWeekRound(WeekTimelineView& view, int round, Figures& f)
{
    QElapsedTimer t;
    view.resize(900 + round, view.height());
    t.start();
    QCoreApplication::processEvents();
    f.add("week_relayout_paint_fresh_300_ms", msSince(t), "ms");
}

AppSnapshot busyWeek(Instant monday)
{
    AppSnapshot week = bench::generateSnapshot(0);
    QRandomGenerator random(300);
    for (int i = 0; i < 300; ++i) {
        const Instant day = LocalCalendar::addingDays(monday, i % 7);
        const Instant start = day + 8 * 3600 + random.bounded(10 * 60) * 60;
        const Project& project = week.projects[random.bounded(week.projects.size())];
        week.entries.append({ QUuid::createUuid(), project.id, start, start + 300 + random.bounded(40 * 60), {} });
    }
    return week;
}

// The busy week shown at 960 by 900 on Wednesday afternoon, a timer running.
std::unique_ptr<WeekTimelineView> openBusyWeek(testing::ModelHarness& h, Instant monday)
{
    h.clock.time = LocalCalendar::addingDays(monday, 2) + 15 * 3600;
    h.load(busyWeek(monday));
    h.model->tick();
    h.model->startTracking(h.model->activeProjects().constFirst());
    auto view = std::make_unique<WeekTimelineView>(*h.model);
    view->setWeekStart(monday);
    view->resize(960, 900);
    view->show();
    QCoreApplication::processEvents();
    return view;
}

int writeOneFile(const QString& path, const QString& count)
{
    bool ok = false;
    const int entries = count.toInt(&ok);
    if (!ok || entries < 0 || !TivrenRepository::writeFile(path, bench::generateSnapshot(entries))) {
        std::fprintf(stderr, "could not write %d entries to the data file\n", entries);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // The overview figures need widgets but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rounds = 11;
    QString keepDir;
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == u"--write-file"_s)
        return writeOneFile(args[2], args[3]);
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--rounds"_s && i + 1 < args.size())
            rounds = std::max(1, args[++i].toInt());
        else if (args[i] == u"--write-data"_s && i + 1 < args.size())
            keepDir = args[++i];
        else {
            std::fprintf(stderr, "usage: tivren_bench [--rounds N] [--write-data DIR] | --write-file PATH COUNT\n");
            return 2;
        }
    }

    QTemporaryDir temp;
    const QString dataDir = keepDir.isEmpty() ? temp.path() : keepDir;
    QDir().mkpath(dataDir);
    std::vector<Dataset> sets;
    for (const auto& [label, count] :
        { std::pair { "1k", 1000 }, { "10k", 10000 }, { "50k", 50000 }, { "200k", 200000 } }) {
        Dataset d { label,
            bench::generateSnapshot(count),
            dataDir + u"/tivren-data-%1.json"_s.arg(QLatin1StringView(label)),
            {},
            {} };
        d.bytes = *SnapshotCodec::encode(d.snapshot);
        d.month = bench::monthInTheMiddle(d.snapshot);
        if (!TivrenRepository::writeFile(d.path, d.snapshot))
            qFatal("could not write the data file");
        std::fprintf(stderr, "%s: %lld entries, %.1f MB\n", label, qlonglong(count), d.bytes.size() / 1e6);
        sets.push_back(std::move(d));
    }
    sets.erase(sets.begin(), sets.begin() + 2); // 1k and 10k are written for manual use only

    testing::ModelHarness overview;
    overview.clock.time = QDateTime(QDate(2026, 12, 1), QTime(12, 0)).toSecsSinceEpoch();
    overview.load(sets.front().snapshot);
    overview.model->tick();
    overview.model->startTracking(overview.model->activeProjects().constFirst());

    const Instant monday = LocalCalendar::mondayOfWeek(QDateTime(QDate(2026, 11, 25), QTime(12, 0)).toSecsSinceEpoch());
    testing::ModelHarness weekHarness;
    const auto week = openBusyWeek(weekHarness, monday);
    testing::ModelHarness freshHarness;
    const auto freshWeek = openBusyWeek(freshHarness, monday);

    Figures figures;
    for (int round = 0; round < rounds; ++round) {
        for (Dataset& d : sets) {
            TivrenRepository repository(temp.filePath(u"queued-%1.json"_s.arg(QLatin1StringView(d.label.c_str()))));
            repository.load().waitForFinished();
            runRound(d, temp.filePath(u"floor-%1.json"_s.arg(QLatin1StringView(d.label.c_str()))), repository, figures);
        }
        runOverviewRound(overview, figures);
        runWeekRound(weekHarness, *week, figures);
        runFreshWeekRound(*freshWeek, round, figures);
    }
    std::vector<std::string> order;
    for (const char* name : { "load", "save", "atomic_floor", "save_ui_thread" }) {
        for (const Dataset& d : sets)
            order.push_back(std::string(name) + "_" + d.label + "_ms");
    }
    for (const Dataset& d : sets) {
        for (const char* name : { "summaries_month_", "summaries_scan_month_" })
            order.push_back(name + d.label + "_us");
    }
    for (const Dataset& d : sets) {
        order.push_back("entry_index_build_" + d.label + "_ms");
        for (const char* name : { "index_append_", "index_edit_", "index_remove_" })
            order.push_back(name + d.label + "_us");
        order.push_back("entries_detach_" + d.label + "_ms");
    }
    order.push_back("overview_open_5k_ms");
    order.push_back("overview_tick_5k_ms");
    for (const char* name :
        { "week_paint_300_ms", "week_relayout_paint_300_ms", "week_relayout_paint_fresh_300_ms", "week_tick_300_ms" })
        order.push_back(name);
    figures.print(order);
    return 0;
}
