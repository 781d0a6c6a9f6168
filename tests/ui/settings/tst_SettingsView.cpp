// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormTesting.h"
#include "ui/settings/SettingsView.h"

#include <QApplication>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_SettingsView : public QObject, ViewFixture<SettingsView>
{
    Q_OBJECT

    void edit(const std::function<void(AppSettings&)>& change)
    {
        changeSettings(*h->model, change);
        h->model->persist();
    }

    template <typename T> void set(T AppSettings::*field, T value)
    {
        edit([&](AppSettings& s) {
            s.*field = value;
        });
    }

    void choose(const QString& comboBox, const QString& data) { QVERIFY(chooseData(child<QComboBox>(comboBox), data)); }
    QString spinText(const QString& name) const { return child<QSpinBox>(name + u"SpinBox"_s)->text(); }

private Q_SLOTS:
    void init()
    {
        view.reset();
        h = std::make_unique<ModelHarness>();
        edit([](AppSettings& s) {
            s.languagePreference = AppLanguagePreference::english;
            s.currencyCode = u"EUR"_s;
        });
        view = std::make_unique<SettingsView>(*h->model);
        view->resize(760, 640);
    }

    // The test runs on a Swiss German system (see main), so "System Default" has something to follow.
    // Every text of the open screen follows a switch, the language and currency names too.
    void languageSwitch_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("texts");
        QTest::newRow("system") << u"system"_s << u"Derzeit gilt die Systemsprache Deutsch (Schweiz)."_s
                                << u"Einstellungen|Verbinden|Apple Kalender|25 Min.|4 Arbeitsintervallen"_s;
        QTest::newRow("english") << u"en"_s << u"Currently using English."_s
                                 << u"Settings|Connect|Apple Calendar|25 min|4 work intervals"_s;
        QTest::newRow("german") << u"de"_s << u"Derzeit wird Deutsch verwendet."_s
                                << u"Einstellungen|Verbinden|Apple Kalender|25 Min.|4 Arbeitsintervallen"_s;
    }

    void languageSwitch()
    {
        QFETCH(QString, language);
        choose(u"languageComboBox"_s, language);
        QTEST(text(u"languageCaptionLabel"_s), "caption");
        const QStringList texts { text(u"titleLabel"_s),
            text(u"googleConnectButton"_s),
            text(u"appleCardTitleLabel"_s),
            spinText(u"work"_s),
            spinText(u"longBreakInterval"_s) };
        QTEST(texts.join(u'|'), "texts");
        QCOMPARE(rawValue(h->saved().settings.languagePreference), language);
        if (language == u"de"_s) {
            QCOMPARE(comboItems(child<QComboBox>(u"languageComboBox"_s)).join(u','),
                u"Systemstandard,Englisch,Niederländisch,Deutsch,Französisch,Spanisch"_s);
            QCOMPARE(child<QComboBox>(u"currencyComboBox"_s)->currentText(), u"EUR – Euro"_s);
        }
    }

    // Showing a code, listed or not, never changes it.
    void currencyPicker_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("preview");
        QTest::newRow("dollar, German") << u"de"_s << u"USD"_s << u"USD – US-Dollar"_s
                                        << u"Vorschau: 1.234,56\u00a0$"_s;
        QTest::newRow("franc, Swiss system")
            << u"system"_s << u"CHF"_s << u"CHF – Schweizer Franken"_s << u"Vorschau: CHF\u00a01’234.56"_s;
        QTest::newRow("unknown code") << u"en"_s << u"ZZZ"_s << u"ZZZ"_s << u"Preview: ZZZ\u00a01,234.56"_s;
    }

    void currencyPicker()
    {
        QFETCH(QString, language);
        QFETCH(QString, code);
        choose(u"languageComboBox"_s, language);
        h->model->updateCurrencyCode(code);
        QTEST(child<QComboBox>(u"currencyComboBox"_s)->currentText(), "label");
        QTEST(text(u"previewLabel"_s), "preview");
        QCOMPARE(h->saved().settings.currencyCode, code);
        // Another code is chosen and saved; the unlisted one can still be chosen back.
        choose(u"currencyComboBox"_s, u"JPY"_s);
        QCOMPARE(h->saved().settings.currencyCode, u"JPY"_s);
        choose(u"currencyComboBox"_s, code);
        QCOMPARE(h->saved().settings.currencyCode, code);
    }

    void pomodoroOffDisablesButShowsStoredValues()
    {
        edit([](AppSettings& s) {
            s.pomodoroEnabled = false;
            s.pomodoroBreaksAreBillable = true;
            s.pomodoroSoundEnabled = false;
            s.pomodoroOverlayEnabled = true;
            s.pomodoroWorkMinutes = 50;
        });
        // Per check box whether it can be used and is ticked, then whether the steppers can be used.
        const auto state = [this]() -> QString {
            QString result;
            for (const QString& name : { u"breaksBillable"_s, u"sound"_s, u"overlay"_s }) {
                const auto* box = child<QCheckBox>(name + u"CheckBox"_s);
                result += QString::number(box->isEnabled()) + QString::number(box->isChecked()) + u' ';
            }
            return result + QString::number(child(u"pomodoroGridWidget"_s)->isEnabled());
        };
        QCOMPARE(state(), u"01 00 01 0"_s);
        QCOMPARE(spinText(u"work"_s), u"50 min"_s);
        child<QCheckBox>(u"pomodoroEnabledCheckBox"_s)->click();
        QCOMPARE(state(), u"11 10 11 1"_s);
        for (const QString& name : { u"soundCheckBox"_s, u"breaksBillableCheckBox"_s, u"overlayCheckBox"_s })
            child<QCheckBox>(name)->click();
        QCOMPARE(state(), u"10 11 10 1"_s);
        const AppSettings saved = h->saved().settings;
        QVERIFY(saved.pomodoroEnabled && saved.pomodoroSoundEnabled);
        QVERIFY(!saved.pomodoroBreaksAreBillable && !saved.pomodoroOverlayEnabled);
    }

    // Each stepper stops at its limits, and a step is saved.
    void stepperLimits_data()
    {
        QTest::addColumn<QString>("spinBox");
        QTest::addColumn<int AppSettings::*>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        const int up = Qt::Key_Up;
        const int down = Qt::Key_Down;
        const auto row =
            [](const char* name, const QString& box, int AppSettings::*field, int stored, int key, int to) {
                QTest::newRow(name) << box + u"SpinBox"_s << field << stored << key << to;
            };
        row("work not below 1", u"work"_s, &AppSettings::pomodoroWorkMinutes, 1, down, 1);
        row("work not above 120", u"work"_s, &AppSettings::pomodoroWorkMinutes, 120, up, 120);
        row("short break not above 60", u"shortBreak"_s, &AppSettings::pomodoroShortBreakMinutes, 60, up, 60);
        row("long break down", u"longBreak"_s, &AppSettings::pomodoroLongBreakMinutes, 15, down, 14);
        row("interval not above 12", u"longBreakInterval"_s, &AppSettings::pomodoroLongBreakInterval, 12, up, 12);
        row("interval not below 2", u"longBreakInterval"_s, &AppSettings::pomodoroLongBreakInterval, 2, down, 2);
        row("reminder not below 5", u"reminderInterval"_s, &AppSettings::workReminderIntervalMinutes, 5, down, 5);
        row("reminder not above 120", u"reminderInterval"_s, &AppSettings::workReminderIntervalMinutes, 120, up, 120);
        row("away not below 5", u"awayThreshold"_s, &AppSettings::awayThresholdMinutes, 5, down, 5);
        row("away up", u"awayThreshold"_s, &AppSettings::awayThresholdMinutes, 10, up, 11);
        row("away not above 120", u"awayThreshold"_s, &AppSettings::awayThresholdMinutes, 120, up, 120);
    }

    void stepperLimits()
    {
        QFETCH(QString, spinBox);
        QFETCH(int AppSettings::*, field);
        QFETCH(int, stored);
        QFETCH(int, key);
        set(&AppSettings::pomodoroEnabled, true);
        set(&AppSettings::workReminderEnabled, true);
        set(&AppSettings::awayQuestionEnabled, true);
        set(field, stored);
        auto* box = child<QSpinBox>(spinBox);
        QCOMPARE(box->value(), stored);
        QTest::keyClick(box, Qt::Key(key));
        QTEST(box->value(), "expected");
        QCOMPARE(h->saved().settings.*field, box->value());
    }

    void reminderSwitch()
    {
        const Project acme = h->addProject(u"Acme"_s);
        set(&AppSettings::workReminderEnabled, true);
        set(&AppSettings::workReminderIntervalMinutes, 45);
        QVERIFY(shown(u"reminderIntervalWidget"_s));
        h->model->startTracking(acme);
        h->advance(45 * 60);
        QVERIFY(h->model->workReminderLastFired());
        // A value shown from the model is not written back: that would restart the reminder count.
        set(&AppSettings::workReminderIntervalMinutes, 50);
        QCOMPARE(spinText(u"reminderInterval"_s), u"50 min"_s);
        QVERIFY(h->model->workReminderLastFired());
        child<QCheckBox>(u"reminderEnabledCheckBox"_s)->click();
        QVERIFY(!shown(u"reminderIntervalWidget"_s) && !h->saved().settings.workReminderEnabled);
        QVERIFY(!h->model->workReminderLastFired());
        child<QCheckBox>(u"reminderEnabledCheckBox"_s)->click();
        QVERIFY(shown(u"reminderIntervalWidget"_s) && h->saved().settings.workReminderEnabled);
        QCOMPARE(spinText(u"reminderInterval"_s), u"50 min"_s);
    }

    // The away switches are saved; the threshold shows only while asking is on, and a desktop
    // without idle detection says that only sleep is asked about.
    void awayCard()
    {
        QVERIFY(!shown(u"awayThresholdWidget"_s) && !shown(u"idleUnavailableLabel"_s));
        child<QCheckBox>(u"awayQuestionCheckBox"_s)->click();
        QVERIFY(h->saved().settings.awayQuestionEnabled);
        QVERIFY(shown(u"awayThresholdWidget"_s) && !shown(u"idleUnavailableLabel"_s));
        QCOMPARE(spinText(u"awayThreshold"_s), u"10 min"_s);
        h->idleMonitor.setAvailable(false);
        QVERIFY(shown(u"idleUnavailableLabel"_s));
        child<QCheckBox>(u"stopOnLockCheckBox"_s)->click();
        QVERIFY(h->saved().settings.stopOnScreenLock);
        set(&AppSettings::languagePreference, AppLanguagePreference::german);
        QCOMPARE(
            child<QCheckBox>(u"stopOnLockCheckBox"_s)->text(), u"Timer stoppen, wenn der Bildschirm gesperrt wird"_s);
    }

    void calendarCard_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("items"); // the listed calendars, the one the model chose first
        QTest::addColumn<QString>("secondID");
        QTest::addColumn<QString>("account"); // under the status while connected
        QTest::newRow("google") << u"google"_s << u"Work|Team,Work"_s << u"me@example.com"_s
                                << u"Signed in as me@example.com"_s;
        QTest::newRow("apple") << u"apple"_s << u"Personal (On This Computer)|Personal (On This Computer),Work"_s
                               << u"cal-2"_s << QString();
    }

    void calendarCard()
    {
        QFETCH(QString, service);
        QFETCH(QString, secondID);
        const bool google = service == u"google"_s;
        h->google.calendars = QList<GoogleCalendarListItem> { { u"team@group"_s, u"Team"_s, false },
            { u"me@example.com"_s, u"Work"_s, true } };
        h->apple.calendars = QList<AppleCalendarListItem> { { u"cal-1"_s, u"Personal"_s, u"On This Computer"_s },
            { u"cal-2"_s, u"Work"_s, u"Work"_s } };
        auto* picker = child<QComboBox>(service + u"CalendarComboBox"_s);
        // The connect button's text, then whether refresh, disconnect and the picker can be used.
        const auto state = [&]() -> QString {
            return text(service + u"ConnectButton"_s) + u' '
                + QString::number(child(service + u"RefreshButton"_s)->isEnabled())
                + QString::number(child(service + u"DisconnectButton"_s)->isEnabled())
                + QString::number(picker->isVisibleTo(view.get()));
        };
        QCOMPARE(state(), u"Connect 000"_s);
        child<QPushButton>(service + u"ConnectButton"_s)->click();
        QTRY_COMPARE(state(), u"Reconnect 111"_s);
        QTEST(QString(picker->currentText() + u'|' + comboItems(picker).join(u',')), "items");
        const auto shownAccount = [&] {
            const QString label = service + u"AccountLabel"_s;
            return shown(label) ? text(label) : QString();
        };
        QTEST(shownAccount(), "account");
        // A calendar that has gone from the list: no selection until the user picks one.
        edit([](AppSettings& s) {
            s.googleCalendar = { u"deleted@group"_s, u"Old"_s };
            s.appleCalendar = { u"cal-9"_s, u"Old"_s };
        });
        QCOMPARE(picker->currentIndex(), -1);
        picker->setCurrentIndex(1);
        const AppSettings saved = h->saved().settings;
        QCOMPARE(google ? saved.googleCalendar.selectedCalendarID : saved.appleCalendar.selectedCalendarID, secondID);
        QCOMPARE(
            google ? saved.googleCalendar.selectedCalendarName : saved.appleCalendar.selectedCalendarName, u"Work"_s);
        child<QPushButton>(service + u"DisconnectButton"_s)->click();
        QTRY_COMPARE(state(), u"Connect 000"_s);
        QCOMPARE(shownAccount(), QString());
    }

    void wheelScrollsPageNotControls()
    {
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        auto* scrollBar = child<QScrollArea>(u"settingsScrollArea"_s)->verticalScrollBar();
        QCOMPARE(scrollBar->value(), 0);
        for (const QString& name : { u"currencyComboBox"_s, u"workSpinBox"_s }) {
            QWidget* control = child(name);
            const QPoint at = control->rect().center();
            QWheelEvent wheel(
                at, control->mapToGlobal(at), {}, { 0, -120 }, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            // Delivered as the window system does: only such a wheel event travels on to the parents when ignored.
            QSpontaneKeyEvent::setSpontaneous(&wheel);
            qApp->notify(control, &wheel);
        }
        QCOMPARE(h->model->settings().currencyCode, u"EUR"_s);
        QCOMPARE(h->model->settings().pomodoroWorkMinutes, 25);
        QVERIFY(scrollBar->value() > 0);
    }

    void screenshots()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        h->google.calendars = QList<GoogleCalendarListItem> { { u"anna@example.com"_s, u"Anna Jansen"_s, true },
            { u"clients@group"_s, u"Client meetings"_s, false } };
        set(&AppSettings::pomodoroEnabled, true);
        set(&AppSettings::workReminderEnabled, true);
        set(&AppSettings::awayQuestionEnabled, true);
        child<QPushButton>(u"googleConnectButton"_s)->click();
        QTRY_VERIFY(h->model->googleCalendar().hasAuthorization());
        for (const QString& language : { u"en"_s, u"de"_s }) {
            choose(u"languageComboBox"_s, language);
            QVERIFY(renderTo(*view, dir, u"settings-"_s + language));
            // The whole screen at once, as if the window were tall enough.
            QWidget* content = child(u"settingsContentWidget"_s);
            view->resize(760, content->layout()->totalHeightForWidth(content->width()) + 4);
            QVERIFY(renderTo(*view, dir, u"settings-"_s + language + u"-full"_s));
            view->resize(760, 640);
        }
    }
};

int main(int argc, char** argv)
{
    // A Swiss German desktop for "System Default" to follow, set before Qt first reads the locale.
    qputenv("LC_ALL", "de_CH.UTF-8");
    QApplication app(argc, argv);
    tst_SettingsView test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SettingsView.moc"
