#include "app/text/LocaleNames.h"
#include "support/ViewFixture.h"
#include "ui/settings/SettingsView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_SettingsView : public QObject, ViewFixture<SettingsView>
{
    Q_OBJECT

    void edit(const std::function<void(AppSettings&)>& change)
    {
        AppSettings settings = h->model->settings();
        change(settings);
        h->model->setSettings(settings);
        h->model->persist();
    }
    // Picks the entry with that data, as a user choosing it from the popup.
    static void choose(QComboBox* box, const QString& data)
    {
        const int index = box->findData(data);
        QVERIFY(index >= 0);
        box->setCurrentIndex(index);
    }
    static QStringList items(QComboBox* box)
    {
        QStringList result;
        for (int i = 0; i < box->count(); ++i)
            result << box->itemText(i);
        return result;
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        edit([](AppSettings& s) {
            s.languagePreference = AppLanguagePreference::english;
            s.currencyCode = u"EUR"_s;
        });
        view = std::make_unique<SettingsView>(*h->model);
        view->resize(760, 640);
    }
    void cleanup()
    {
        view.reset();
        h.reset();
    }

    // The test runs on a Swiss German system (see main), so "System Default" has something to follow.
    void languageCaption_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");

        QTest::newRow("system") << u"system"_s << u"Derzeit gilt die Systemsprache Deutsch (Schweiz)."_s
                                << u"Einstellungen"_s;
        QTest::newRow("english") << u"en"_s << u"Currently using English."_s << u"Settings"_s;
        QTest::newRow("dutch") << u"nl"_s << u"Gebruikt momenteel Nederlands."_s << u"Instellingen"_s;
    }
    void languageCaption()
    {
        QFETCH(QString, language);
        QFETCH(QString, caption);
        QFETCH(QString, title);

        auto* box = child<QComboBox>(u"languageComboBox"_s);
        choose(box, language);
        QCOMPARE(text(u"languageCaptionLabel"_s), caption);
        QCOMPARE(text(u"titleLabel"_s), title);
        QCOMPARE(rawValue(h->saved().settings.languagePreference), language);
    }

    void languageSwitchRelabelsOpenScreen()
    {
        auto* box = child<QComboBox>(u"languageComboBox"_s);
        QCOMPARE(items(box),
            (QStringList { u"System Default"_s, u"English"_s, u"Dutch"_s, u"German"_s, u"French"_s, u"Spanish"_s }));
        choose(box, u"de"_s);

        QCOMPARE(items(box),
            (QStringList { u"Systemstandard"_s,
                u"Englisch"_s,
                u"Niederländisch"_s,
                u"Deutsch"_s,
                u"Französisch"_s,
                u"Spanisch"_s }));
        QCOMPARE(box->currentText(), u"Deutsch"_s);
        QCOMPARE(text(u"languageCaptionLabel"_s), u"Derzeit wird Deutsch verwendet."_s);
        QCOMPARE(text(u"googleConnectButton"_s), u"Verbinden"_s);
        QCOMPARE(text(u"appleCardTitleLabel"_s), u"Apple Kalender"_s);
        QCOMPARE(child<QSpinBox>(u"workSpinBox"_s)->text(), u"25 Min."_s);
        QCOMPARE(child<QSpinBox>(u"longBreakIntervalSpinBox"_s)->text(), u"4 Arbeitsintervallen"_s);
        // The currency names follow the language too.
        auto* currencies = child<QComboBox>(u"currencyComboBox"_s);
        QCOMPARE(currencies->itemText(currencies->findData(u"USD"_s)), u"USD – US-Dollar"_s);
    }

    void localeDisplayName_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("name");

        QTest::newRow("Swiss German") << u"de_CH"_s << u"Deutsch (Schweiz)"_s;
        QTest::newRow("Brazilian") << u"pt_BR"_s << u"português (Brasil)"_s;
        QTest::newRow("unknown to ICU") << u"xx_YY"_s << u"xx_YY"_s;
    }
    void localeDisplayName()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, name);
        QCOMPARE(LocaleNames::localeDisplayName(identifier), name);
    }

    void currencyPicker_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("preview");

        QTest::newRow("euro") << u"en"_s << u"EUR"_s << u"EUR – Euro"_s << u"Preview: €1,234.56"_s;
        QTest::newRow("dollar, German") << u"de"_s << u"USD"_s << u"USD – US-Dollar"_s
                                        << u"Vorschau: 1.234,56\u00a0$"_s;
        QTest::newRow("franc, Swiss system")
            << u"system"_s << u"CHF"_s << u"CHF – Schweizer Franken"_s << u"Vorschau: CHF\u00a01’234.56"_s;
        QTest::newRow("unknown code") << u"en"_s << u"ZZZ"_s << u"ZZZ"_s << u"Preview: ZZZ\u00a01,234.56"_s;
        QTest::newRow("retired code") << u"en"_s << u"DEM"_s << u"DEM – German Mark"_s
                                      << u"Preview: DEM\u00a01,234.56"_s;
    }
    void currencyPicker()
    {
        QFETCH(QString, language);
        QFETCH(QString, code);
        QFETCH(QString, label);
        QFETCH(QString, preview);

        choose(child<QComboBox>(u"languageComboBox"_s), language);
        h->model->updateCurrencyCode(code);
        auto* box = child<QComboBox>(u"currencyComboBox"_s);
        QCOMPARE(box->currentText(), label);
        QCOMPARE(box->currentData().toString(), code);
        QCOMPARE(text(u"previewLabel"_s), preview);
        // Showing a code, listed or not, never changes it.
        QCOMPARE(h->saved().settings.currencyCode, code);
    }

    void choosingCurrencySaves()
    {
        h->model->updateCurrencyCode(u"ZZZ"_s);
        auto* box = child<QComboBox>(u"currencyComboBox"_s);
        choose(box, u"JPY"_s);
        QCOMPARE(h->saved().settings.currencyCode, u"JPY"_s);
        QCOMPARE(text(u"previewLabel"_s), u"Preview: ¥1,235"_s);
        // The unlisted code can still be chosen back.
        choose(box, u"ZZZ"_s);
        QCOMPARE(h->saved().settings.currencyCode, u"ZZZ"_s);
    }

    void pomodoroOffDisablesButShowsStoredValues()
    {
        edit([](AppSettings& s) {
            s.pomodoroEnabled = false;
            s.pomodoroBreaksAreBillable = true;
            s.pomodoroSoundEnabled = false;
            s.pomodoroOverlayEnabled = true;
            s.pomodoroWorkMinutes = 50;
            s.pomodoroLongBreakInterval = 3;
        });
        const QStringList dependent { u"breaksBillableCheckBox"_s,
            u"soundCheckBox"_s,
            u"overlayCheckBox"_s,
            u"workSpinBox"_s,
            u"shortBreakSpinBox"_s,
            u"longBreakSpinBox"_s,
            u"longBreakIntervalSpinBox"_s };
        for (const QString& name : dependent)
            QVERIFY2(!child(name)->isEnabled(), qPrintable(name));
        QVERIFY(child<QCheckBox>(u"breaksBillableCheckBox"_s)->isChecked());
        QVERIFY(!child<QCheckBox>(u"soundCheckBox"_s)->isChecked());
        QVERIFY(child<QCheckBox>(u"overlayCheckBox"_s)->isChecked());
        QCOMPARE(child<QSpinBox>(u"workSpinBox"_s)->text(), u"50 min"_s);
        QCOMPARE(child<QSpinBox>(u"longBreakIntervalSpinBox"_s)->text(), u"3 work intervals"_s);

        child<QCheckBox>(u"pomodoroEnabledCheckBox"_s)->click();
        for (const QString& name : dependent)
            QVERIFY2(child(name)->isEnabled(), qPrintable(name));
        QVERIFY(h->saved().settings.pomodoroEnabled);

        child<QCheckBox>(u"soundCheckBox"_s)->click();
        child<QCheckBox>(u"breaksBillableCheckBox"_s)->click();
        child<QCheckBox>(u"overlayCheckBox"_s)->click();
        const AppSettings saved = h->saved().settings;
        QVERIFY(saved.pomodoroSoundEnabled);
        QVERIFY(!saved.pomodoroBreaksAreBillable);
        QVERIFY(!saved.pomodoroOverlayEnabled);
    }

    void stepperLimits_data()
    {
        QTest::addColumn<QString>("spinBox");
        QTest::addColumn<int AppSettings::*>("field");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");

        const int up = Qt::Key_Up;
        const int down = Qt::Key_Down;
        QTest::newRow("work not below 1") << u"workSpinBox"_s << &AppSettings::pomodoroWorkMinutes << 1 << down << 1;
        QTest::newRow("work not above 120")
            << u"workSpinBox"_s << &AppSettings::pomodoroWorkMinutes << 120 << up << 120;
        QTest::newRow("short break not above 60")
            << u"shortBreakSpinBox"_s << &AppSettings::pomodoroShortBreakMinutes << 60 << up << 60;
        QTest::newRow("long break down") << u"longBreakSpinBox"_s << &AppSettings::pomodoroLongBreakMinutes << 15
                                         << down << 14;
        QTest::newRow("interval not above 12")
            << u"longBreakIntervalSpinBox"_s << &AppSettings::pomodoroLongBreakInterval << 12 << up << 12;
        QTest::newRow("interval not below 2")
            << u"longBreakIntervalSpinBox"_s << &AppSettings::pomodoroLongBreakInterval << 2 << down << 2;
        QTest::newRow("reminder not below 5")
            << u"reminderIntervalSpinBox"_s << &AppSettings::workReminderIntervalMinutes << 5 << down << 5;
        QTest::newRow("reminder not above 120")
            << u"reminderIntervalSpinBox"_s << &AppSettings::workReminderIntervalMinutes << 120 << up << 120;
    }
    void stepperLimits()
    {
        QFETCH(QString, spinBox);
        QFETCH(int AppSettings::*, field);
        QFETCH(int, stored);
        QFETCH(int, key);
        QFETCH(int, expected);

        edit([&](AppSettings& s) {
            s.pomodoroEnabled = true;
            s.workReminderEnabled = true;
            s.*field = stored;
        });
        auto* box = child<QSpinBox>(spinBox);
        QCOMPARE(box->value(), stored);
        QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(box->value(), expected);
        QCOMPARE(h->saved().settings.*field, expected);
    }

    void reminderSwitch()
    {
        const Project acme = h->addProject(u"Acme"_s);
        edit([](AppSettings& s) {
            s.workReminderEnabled = true;
            s.workReminderIntervalMinutes = 45;
        });
        QVERIFY(shown(u"reminderIntervalWidget"_s));
        h->model->startTracking(acme);
        h->advance(45 * 60);
        QVERIFY(h->model->workReminderLastFired());

        // A value shown from the model is not written back: that would restart the reminder count.
        edit([](AppSettings& s) {
            s.workReminderIntervalMinutes = 50;
        });
        QCOMPARE(child<QSpinBox>(u"reminderIntervalSpinBox"_s)->text(), u"50 min"_s);
        QVERIFY(h->model->workReminderLastFired());

        child<QCheckBox>(u"reminderEnabledCheckBox"_s)->click();
        QVERIFY(!shown(u"reminderIntervalWidget"_s));
        QVERIFY(!h->model->workReminderLastFired());
        QVERIFY(!h->saved().settings.workReminderEnabled);

        child<QCheckBox>(u"reminderEnabledCheckBox"_s)->click();
        QVERIFY(shown(u"reminderIntervalWidget"_s));
        QCOMPARE(child<QSpinBox>(u"reminderIntervalSpinBox"_s)->text(), u"50 min"_s);
        QVERIFY(h->saved().settings.workReminderEnabled);
    }

    void calendarCard_data()
    {
        QTest::addColumn<QString>("service");
        QTest::newRow("google") << u"google"_s;
        QTest::newRow("apple") << u"apple"_s;
    }
    void calendarCard()
    {
        QFETCH(QString, service);
        const bool google = service == u"google"_s;
        h->google.calendars = QList<GoogleCalendarListItem> {
            { u"team@group"_s, u"Team"_s, false },
            { u"me@example.com"_s, u"Work"_s, true },
        };
        h->apple.calendars = QList<AppleCalendarListItem> {
            { u"cal-1"_s, u"Personal"_s, u"On This Computer"_s },
            { u"cal-2"_s, u"Work"_s, u"Work"_s },
        };
        auto* connect = child<QPushButton>(service + u"ConnectButton"_s);
        auto* refresh = child<QPushButton>(service + u"RefreshButton"_s);
        auto* disconnect = child<QPushButton>(service + u"DisconnectButton"_s);
        auto* picker = child<QComboBox>(service + u"CalendarComboBox"_s);

        QCOMPARE(text(service + u"StatusLabel"_s), u"Not connected."_s);
        QCOMPARE(connect->text(), u"Connect"_s);
        QVERIFY(connect->isEnabled());
        QVERIFY(!refresh->isEnabled());
        QVERIFY(!disconnect->isEnabled());
        QVERIFY(!shown(picker->objectName()));

        connect->click();
        QTRY_COMPARE(connect->text(), u"Reconnect"_s);
        QVERIFY(refresh->isEnabled());
        QVERIFY(disconnect->isEnabled());
        QVERIFY(shown(picker->objectName()));
        if (google) {
            QCOMPARE(items(picker), (QStringList { u"Team"_s, u"Work"_s }));
            QCOMPARE(picker->currentText(), u"Work"_s); // the primary one, chosen by the model
            QCOMPARE(text(service + u"StatusLabel"_s), u"Connected. Selected calendar: Work"_s);
        } else {
            QCOMPARE(items(picker), (QStringList { u"Personal (On This Computer)"_s, u"Work"_s }));
            QCOMPARE(picker->currentText(), u"Personal (On This Computer)"_s);
        }

        // A calendar that has gone from the list: no selection until the user picks one.
        edit([google](AppSettings& s) {
            if (google)
                s.googleCalendar = { u"deleted@group"_s, u"Old"_s };
            else
                s.appleCalendar = { u"cal-9"_s, u"Old"_s };
        });
        QCOMPARE(picker->currentIndex(), -1);

        picker->setCurrentIndex(1);
        const AppSettings saved = h->saved().settings;
        if (google) {
            QCOMPARE(saved.googleCalendar, (GoogleCalendarSettings { u"me@example.com"_s, u"Work"_s }));
            QCOMPARE(text(service + u"StatusLabel"_s), u"Connected. Selected calendar: Work"_s);
        } else {
            QCOMPARE(saved.appleCalendar, (AppleCalendarSettings { u"cal-2"_s, u"Work"_s }));
        }

        disconnect->click();
        QTRY_COMPARE(connect->text(), u"Connect"_s);
        QVERIFY(!refresh->isEnabled());
        QVERIFY(!shown(picker->objectName()));
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
            QWheelEvent wheel(at,
                control->mapToGlobal(at),
                QPoint(),
                QPoint(0, -120),
                Qt::NoButton,
                Qt::NoModifier,
                Qt::NoScrollPhase,
                false);
            // Delivered as the window system does (as QTest does for keys): only such a wheel event
            // travels on to the parents when ignored.
            QSpontaneKeyEvent::setSpontaneous(&wheel);
            qApp->notify(control, &wheel);
        }
        QCOMPARE(h->model->settings().currencyCode, u"EUR"_s);
        QCOMPARE(h->model->settings().pomodoroWorkMinutes, 25);
        QVERIFY(scrollBar->value() > 0);
    }

    void screenshots()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR not set");
        h->google.calendars = QList<GoogleCalendarListItem> {
            { u"anna@example.com"_s, u"Anna Jansen"_s, true },
            { u"clients@group"_s, u"Client meetings"_s, false },
        };
        edit([](AppSettings& s) {
            s.pomodoroEnabled = true;
            s.workReminderEnabled = true;
        });
        child<QPushButton>(u"googleConnectButton"_s)->click();
        QTRY_VERIFY(h->model->googleCalendar().hasAuthorization());
        view->show();
        for (const QString& language : { u"en"_s, u"de"_s }) {
            choose(child<QComboBox>(u"languageComboBox"_s), language);
            QCoreApplication::processEvents();
            QVERIFY(view->grab().save(dir + u"/tivren-settings-"_s + language + u".png"_s));
            // The whole screen at once, as if the window were tall enough.
            QWidget* content = child(u"settingsContentWidget"_s);
            view->resize(view->width(), content->layout()->totalHeightForWidth(content->width()) + 4);
            QCoreApplication::processEvents();
            QVERIFY(view->grab().save(dir + u"/tivren-settings-"_s + language + u"-full.png"_s));
            view->resize(760, 640);
        }
    }
};

int main(int argc, char** argv)
{
    // A Swiss German desktop: what "System Default" follows must be the system's language, not
    // the test machine's C locale. Set before Qt first reads the locale.
    qputenv("LC_ALL", "de_CH.UTF-8");
    QApplication app(argc, argv);
    tst_SettingsView test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SettingsView.moc"
