// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/ControlService.h"

#include "ControlAdaptor.h" // generated from org.tivren.Tivren1.xml
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/BackgroundTask.h"
#include "core/datafile/Uuid.h"
#include "core/time/Instant.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFutureWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// What an import adds, for tivrenctl and scripts: {"format", "applied", "newProjects": [names],
// "entriesAdded", "duplicates", "rejected": n, "rejections": [{"line", "reason"}] (the first ten)}.
QString importPreview(const ImportReading& reading, const ImportPlan& plan, bool applied)
{
    constexpr qsizetype shownRejections = 10;
    QJsonArray projects, rejections;
    for (const Project& project : plan.newProjects)
        projects.append(project.name);
    for (const ImportRejection& rejection : plan.rejected.first(std::min(plan.rejected.size(), shownRejections)))
        rejections.append(QJsonObject { { u"line"_s, rejection.line }, { u"reason"_s, rejection.reason.english() } });
    const QJsonObject preview { { u"format"_s, importFormatName(reading.format) },
        { u"applied"_s, applied },
        { u"newProjects"_s, projects },
        { u"entriesAdded"_s, int(plan.newEntries.size()) },
        { u"duplicates"_s, plan.duplicates },
        { u"rejected"_s, int(plan.rejected.size()) },
        { u"rejections"_s, rejections } };
    return QString::fromUtf8(QJsonDocument(preview).toJson(QJsonDocument::Compact));
}

// Whatever a caller sent comes back in an error, but never a flood of it.
QString shortened(const QString& text)
{
    constexpr qsizetype limit = 60;
    return text.size() <= limit ? text : text.left(limit) + u'…';
}

} // namespace

ControlService::ControlService(AppModel& model, WindowActions windows, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_windows(std::move(windows))
{
    new ControlAdaptor(this);
    m_announced = panelState();
    m_announceSoon.setSingleShot(true);
    m_announceSoon.setInterval(0);
    connect(&m_announceSoon, &QTimer::timeout, this, &ControlService::announceChanges);
    auto soon = [this] {
        m_announceSoon.start();
    };
    for (auto changed : { &AppModel::activeSessionChanged,
             &AppModel::projectsChanged,
             &AppModel::pomodoroPhaseChanged,
             &AppModel::pomodoroPhaseStartChanged,
             &AppModel::pomodoroPhaseDurationChanged })
        connect(&m_model, changed, this, soon);
}

bool ControlService::registerOn(QDBusConnection bus)
{
    if (!bus.isConnected()
        || !bus.registerObject(QString::fromLatin1(objectPath), this, QDBusConnection::ExportAdaptors))
        return false;
    m_bus = bus;
    return true;
}

PanelState ControlService::panelState() const
{
    PanelState state;
    if (const auto& session = m_model.activeSession()) {
        state.tracking = true;
        const auto project = m_model.project(session->projectID);
        state.projectName = project ? project->name : QString();
        state.trackingSince = session->startDate;
    }
    if (const auto& phase = m_model.pomodoroPhase()) {
        state.phase = rawValue(*phase);
        state.phaseStart = m_model.pomodoroPhaseStart().value_or(0);
        state.phaseDuration = std::max(0.0, m_model.pomodoroPhaseDuration().value_or(0));
    }
    return state;
}

qint64 ControlService::elapsedSeconds() const
{
    return PanelProperties::elapsedSeconds(panelState(), m_model.now());
}

qint64 ControlService::trackingSince() const
{
    return PanelProperties::all(panelState(), m_model.now()).value(u"TrackingSince"_s).toLongLong();
}

qint64 ControlService::phaseRemainingSeconds() const
{
    return PanelProperties::phaseRemainingSeconds(panelState(), m_model.now());
}

qint64 ControlService::phaseEndsAt() const
{
    return PanelProperties::all(panelState(), m_model.now()).value(u"PhaseEndsAt"_s).toLongLong();
}

void ControlService::announceChanges()
{
    const PanelState now = panelState();
    const QVariantMap changed = PanelProperties::changed(m_announced, now, m_model.now());
    m_announced = now;
    if (changed.isEmpty() || !m_bus)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(objectPath), u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s);
    signal << QString::fromLatin1(interfaceName) << changed << QStringList();
    m_bus->send(signal);
}

void ControlService::Show()
{
    m_windows.showMainWindow();
}

void ControlService::NewProject()
{
    m_windows.openNewProjectWindow();
}

QStringList ControlService::Projects()
{
    QStringList names;
    for (const Project& project : m_model.activeProjects())
        names << project.name;
    return names;
}

std::optional<Project> ControlService::findProject(const QString& text)
{
    const QString wanted = text.trimmed();
    const QList<Project> projects = m_model.activeProjects();
    if (const auto id = UuidText::parse(QStringView(wanted))) {
        if (const auto project = m_model.project(*id); project && !project->isArchived)
            return project;
    }
    QList<Project> exact, prefix;
    for (const Project& project : projects) {
        if (project.name.compare(wanted, Qt::CaseInsensitive) == 0)
            exact.append(project);
        else if (project.name.startsWith(wanted, Qt::CaseInsensitive))
            prefix.append(project);
    }
    const QList<Project>& matches = exact.isEmpty() ? prefix : exact;
    if (matches.size() == 1 && !wanted.isEmpty())
        return matches.first();
    if (matches.isEmpty() || wanted.isEmpty()) {
        sendErrorReply(QString::fromLatin1(ControlBus::unknownProjectError),
            u"No active project is called \"%1\"."_s.arg(shortened(wanted)));
    } else {
        QStringList names;
        for (const Project& project : matches)
            names << project.name;
        sendErrorReply(QString::fromLatin1(ControlBus::ambiguousProjectError),
            u"\"%1\" matches several projects: %2."_s.arg(shortened(wanted), shortened(names.join(u", "_s))));
    }
    return std::nullopt;
}

void ControlService::Start(const QString& project)
{
    if (!acceptsChanges())
        return;
    const auto found = findProject(project);
    if (!found)
        return;
    // Start means start: an already tracked project keeps running.
    if (!m_model.activeSession() || m_model.activeSession()->projectID != found->id)
        m_model.startTracking(*found);
    replyWhenSaved();
}

void ControlService::Toggle(const QString& project)
{
    if (!acceptsChanges())
        return;
    if (const auto found = findProject(project)) {
        m_model.startTracking(*found);
        replyWhenSaved();
    }
}

void ControlService::Stop()
{
    if (!acceptsChanges())
        return;
    m_model.stopTimer();
    replyWhenSaved();
}

void ControlService::Skip()
{
    if (!acceptsChanges())
        return;
    m_model.skipPomodoroPhase();
    replyWhenSaved();
}

void ControlService::Away(const QString& answer)
{
    const auto parsed = awayAnswerFromRawValue(answer);
    if (!parsed) {
        sendErrorReply(QDBusError::InvalidArgs,
            u"\"%1\" is no answer about time away; it is keep, discard or stop."_s.arg(shortened(answer)));
        return;
    }
    if (!acceptsChanges())
        return;
    if (!m_model.answerAway(*parsed)) {
        sendErrorReply(QString::fromLatin1(ControlBus::noAwayQuestionError),
            u"No question about time away is open; it is asked when you come back to a running timer."_s);
        return;
    }
    replyWhenSaved();
}

bool ControlService::acceptsChanges()
{
    const auto reason = m_model.whyChangesAreNotSaved();
    if (!reason)
        return true;
    sendErrorReply(m_model.readOnlyReason() ? QString::fromLatin1(ControlBus::readOnlyError)
                                            : QString::fromLatin1(ControlBus::loadingError),
        *reason);
    return false;
}

void ControlService::replyWhenSaved()
{
    setDelayedReply(true);
    replyWhenSaved(message(), connection(), {});
}

void ControlService::replyWhenSaved(const QDBusMessage& request, QDBusConnection bus, const QVariantList& results)
{
    // A caller that was told "done" may rely on it: the reply leaves only once the change is on disk.
    const QFuture<SaveResult> save = m_model.latestSave();
    auto answer = [request, bus, results](const QFuture<SaveResult>& finished) {
        const bool failed = finished.resultCount() > 0 && !finished.result();
        bus.send(failed ? request.createErrorReply(QString::fromLatin1(ControlBus::notSavedError),
                     u"The change could not be saved yet: "_s + finished.result().error().description)
                        : request.createReply(results));
    };
    if (save.isFinished()) {
        answer(save);
        return;
    }
    auto* watcher = new QFutureWatcher<SaveResult>(this);
    connect(watcher, &QFutureWatcher<SaveResult>::finished, this, [watcher, answer] {
        answer(watcher->future());
        watcher->deleteLater();
    });
    watcher->setFuture(save);
}

QString ControlService::Import(const QByteArray& content, bool apply)
{
    // Counting duplicates against data still being read would be wrong, so even a preview waits.
    if (!m_model.didReadData()) {
        sendErrorReply(
            QString::fromLatin1(ControlBus::loadingError), m_model.whyChangesAreNotSaved().value_or(QString()));
        return {};
    }
    if (apply && !acceptsChanges())
        return {};
    setDelayedReply(true);
    const QDBusMessage request = message();
    QDBusConnection bus = connection();
    auto* watcher = new QFutureWatcher<Expected<ImportReading, ImportReason>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, request, bus, apply] {
        watcher->deleteLater();
        const auto reading = watcher->future().result();
        if (!reading) {
            bus.send(request.createErrorReply(
                QString::fromLatin1(ControlBus::unreadableImportError), reading.error().english()));
            return;
        }
        // The data may have changed while the file was read: a change refused now is refused now.
        if (apply && m_model.whyChangesAreNotSaved()) {
            bus.send(request.createErrorReply(
                QString::fromLatin1(ControlBus::readOnlyError), *m_model.whyChangesAreNotSaved()));
            return;
        }
        const ImportPlan plan = apply ? m_model.applyImport(*reading) : m_model.planImportOf(*reading);
        const QString preview = importPreview(*reading, plan, apply);
        if (apply)
            replyWhenSaved(request, bus, { preview });
        else
            bus.send(request.createReply(preview));
    });
    watcher->setFuture(runInBackground([content] {
        return readImport(content);
    }));
    return {}; // the reply leaves later
}

QString ControlService::Status()
{
    QJsonObject status;
    const auto& session = m_model.activeSession();
    status[u"tracking"_s] = session.has_value();
    if (session) {
        const auto project = m_model.project(session->projectID);
        status[u"project"_s] = project ? project->name : QString();
        status[u"projectID"_s] = UuidText::upper(session->projectID);
        status[u"elapsedSeconds"_s] = std::max(0.0, std::floor(m_model.now() - session->startDate));
    }
    if (const auto& phase = m_model.pomodoroPhase()) {
        status[u"pomodoroPhase"_s] = rawValue(*phase);
        status[u"pomodoroRemainingSeconds"_s] = std::ceil(m_model.pomodoroRemaining().value_or(0));
    }
    if (const auto& question = m_model.awayQuestion()) {
        status[u"away"_s] = QJsonObject { { u"since"_s, Iso8601::format(question->since) },
            { u"minutes"_s, AwayRules::minutes(*question) } };
    }
    return QString::fromUtf8(QJsonDocument(status).toJson(QJsonDocument::Compact));
}

} // namespace tivren
