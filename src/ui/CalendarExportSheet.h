#pragma once

#include "app/CalendarExportDraft.h"

#include <QWidget>

namespace tivren {

class AppModel;

// The sheet in which the user picks which projects of the overview's range go to the Google
// calendar, and into which calendar each one goes. Edits are written straight into the draft
// the caller holds; the caller decides what Cancel and Export do.
class GoogleCalendarExportSheet : public QWidget
{
    Q_OBJECT

public:
    GoogleCalendarExportSheet(AppModel& model, GoogleCalendarExportDraft& draft, QWidget* parent = nullptr);
    ~GoogleCalendarExportSheet() override;

Q_SIGNALS:
    void cancelRequested();
    void exportRequested();

private:
    AppModel& m_model;
    GoogleCalendarExportDraft& m_draft;
};

// The same for the desktop calendar.
class AppleCalendarExportSheet : public QWidget
{
    Q_OBJECT

public:
    AppleCalendarExportSheet(AppModel& model, AppleCalendarExportDraft& draft, QWidget* parent = nullptr);
    ~AppleCalendarExportSheet() override;

Q_SIGNALS:
    void cancelRequested();
    void exportRequested();

private:
    AppModel& m_model;
    AppleCalendarExportDraft& m_draft;
};

} // namespace tivren
