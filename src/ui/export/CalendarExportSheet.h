// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarExportDraft.h"

#include <QList>
#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace tivren {

class AppModel;
class CalendarExportSheetSource;

// The sheet in which the user picks which projects of the overview's range go to a calendar, and
// into which calendar each one goes. Edits are written straight into the draft the caller holds,
// which must outlive the sheet; the caller decides what Cancel and Export do. Return asks for the
// export while Export is enabled, Escape cancels, whoever hosts the sheet.
//
// The Google and the desktop calendar sheets differ only in their title, their calendar list and
// their busy flag; everything else lives here.
class CalendarExportSheet : public QWidget
{
    Q_OBJECT

public:
    ~CalendarExportSheet() override;

    [[nodiscard]] QSize sizeHint() const override;

public Q_SLOTS:
    // Emits exportRequested() unless Export is disabled.
    void requestExport();
    void requestCancel();

Q_SIGNALS:
    void cancelRequested();
    void exportRequested();

protected:
    CalendarExportSheet(AppModel& model, std::unique_ptr<CalendarExportSheetSource> source, QWidget* parent);

    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Card
    {
        QCheckBox* checkBox = nullptr;
        QLabel* entriesLabel = nullptr;
        QLabel* calendarLabel = nullptr;
        QComboBox* calendarCombo = nullptr;
    };

    void build();
    void addCard(qsizetype index);
    void retranslate();
    void restyle();
    void fillCalendarPickers();
    void showCalendarChoice(qsizetype index);
    void remeasureCards();
    void showState();
    void showAccount();

    AppModel& m_model;
    std::unique_ptr<CalendarExportSheetSource> m_source;

    QLabel* m_titleLabel = nullptr;
    QLabel* m_explanationLabel = nullptr;
    QLabel* m_accountLabel = nullptr;
    QLabel* m_projectsIconLabel = nullptr;
    QLabel* m_projectsCountLabel = nullptr;
    QLabel* m_readyIconLabel = nullptr;
    QLabel* m_readyCountLabel = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    QVBoxLayout* m_cardsLayout = nullptr;
    QList<Card> m_cards;
    QLabel* m_noteLabel = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_exportButton = nullptr;
};

// The sheet for the Google calendars.
class GoogleCalendarExportSheet : public CalendarExportSheet
{
    Q_OBJECT

public:
    GoogleCalendarExportSheet(AppModel& model, GoogleCalendarExportDraft& draft, QWidget* parent = nullptr);
    ~GoogleCalendarExportSheet() override;
};

// The same for the desktop calendar.
class AppleCalendarExportSheet : public CalendarExportSheet
{
    Q_OBJECT

public:
    AppleCalendarExportSheet(AppModel& model, AppleCalendarExportDraft& draft, QWidget* parent = nullptr);
    ~AppleCalendarExportSheet() override;
};

} // namespace tivren
