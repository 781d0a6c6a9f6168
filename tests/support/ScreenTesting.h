// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests of the timeline, overview and projects screens share: a fixture that opens the
// screen on a snapshot, entries on local days, English time spans, repaint records, renders.
#include "support/FormTesting.h"

#include <QEvent>
#include <QKeySequence>
#include <QLocale>
#include <QPaintEvent>
#include <QRegion>
#include <QStringList>
#include <QTest>

#include <array>
#include <utility>

namespace tivren::testing {

inline const std::array<std::pair<AppLanguagePreference, QString>, 3> renderLanguages { {
    { AppLanguagePreference::english, QStringLiteral("en") },
    { AppLanguagePreference::dutch, QStringLiteral("nl") },
    { AppLanguagePreference::german, QStringLiteral("de") },
} };

// "9:00 AM – 10:30 AM" as the English screens write it.
inline QString englishSpan(QTime from, QTime to)
{
    const QLocale en(QStringLiteral("en"));
    return en.toString(from, QLocale::ShortFormat) + QStringLiteral(" – ") + en.toString(to, QLocale::ShortFormat);
}

// "2 09:15": day 2 of the week of monday (0 is Monday, -1 the Sunday before) at 9:15; hours past
// 24 fall on the following day.
inline Instant weekTime(QDate monday, const QString& text)
{
    const QStringList parts = text.split(u' ');
    const QStringList time = parts[1].split(u':');
    const int hour = time[0].toInt();
    return localAt(monday.addDays(parts[0].toInt() + hour / 24), hour % 24, time[1].toInt());
}

// Entries of one project from spans such as "1 09:00 10:30, 2 22:00 25:00": day of the week of
// monday, start, end.
inline QList<TimeEntry> weekEntries(const Project& project, QDate monday, const QString& spans)
{
    QList<TimeEntry> result;
    for (const QString& span : spans.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QStringList parts = span.split(u' ');
        const Instant start = weekTime(monday, parts[0] + u' ' + parts[1]);
        result.append(testEntry(project, start, weekTime(monday, parts[0] + u' ' + parts[2]) - start));
    }
    return result;
}

inline TimeEntry spanEntry(const Project& project, Instant start, Instant end, const QString& notes = {})
{
    return testEntry(project, start, end - start, notes);
}

// Clicks the middle of an entry's drawn block.
inline void clickBlock(QWidget* widget, const QList<std::pair<QUuid, QRectF>>& rects, const QUuid& id)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, rectFor(rects, id).center().toPoint());
}

// Types keys named as in "Left, Left, Return" into widget.
inline void typeKeys(QWidget* widget, const QString& keys)
{
    for (const QString& key : keys.split(QStringLiteral(", ")))
        QTest::keyClick(widget, Qt::Key(QKeySequence::fromString(key)[0].key()));
}

// Records the regions a widget repaints.
class PaintRecorder : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return QObject::eventFilter(watched, event);
    }
};

// A screen's test: a fresh model at a given time, and the screen built on a snapshot (in English
// unless the snapshot names a language).
template <typename View> class ScreenFixture : public ViewFixture<View>
{
protected:
    void start(Instant now)
    {
        this->h = std::make_unique<ModelHarness>();
        this->h->clock.time = now;
        this->h->model->tick();
    }

    void open(AppSnapshot snapshot, QSize size, bool show = true)
    {
        if (snapshot.settings.languagePreference == AppLanguagePreference::system)
            snapshot.settings.languagePreference = AppLanguagePreference::english;
        this->h->load(snapshot);
        this->h->model->tick();
        this->view = std::make_unique<View>(*this->h->model);
        this->view->resize(size);
        if (show) {
            this->view->show();
            QVERIFY(QTest::qWaitForWindowExposed(this->view.get()));
        }
    }
};

} // namespace tivren::testing
