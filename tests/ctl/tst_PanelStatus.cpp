// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/PanelStatus.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

QJsonObject status(bool tracking, const QString& project = {}, const QString& phase = {})
{
    QJsonObject object { { u"tracking"_s, tracking } };
    if (tracking) {
        object.insert(u"project"_s, project);
        object.insert(u"elapsedSeconds"_s, 3725);
    }
    if (!phase.isEmpty()) {
        object.insert(u"pomodoroPhase"_s, phase);
        object.insert(u"pomodoroRemainingSeconds"_s, 754);
    }
    return object;
}

QJsonObject expected(const QString& text, const QString& tooltip, const QString& kind)
{
    return { { u"text"_s, text }, { u"tooltip"_s, tooltip }, { u"class"_s, kind }, { u"alt"_s, kind } };
}

} // namespace

class tst_PanelStatus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What waybar shows, and the class a style sheet colours it by.
    void waybar_data()
    {
        QTest::addColumn<std::optional<QJsonObject>>("state");
        QTest::addColumn<QJsonObject>("line");
        QTest::newRow("not running") << std::optional<QJsonObject>()
                                     << expected(u"Not running"_s, u"Tivren is not running"_s, u"idle"_s);
        QTest::newRow("idle") << std::optional(status(false))
                              << expected(u"Not tracking"_s, u"Not tracking"_s, u"idle"_s);
        QTest::newRow("tracking") << std::optional(status(true, u"Acme"_s))
                                  << expected(u"Acme 01:02:05"_s, u"Tracking Acme for 01:02:05"_s, u"tracking"_s);
        QTest::newRow("working") << std::optional(status(true, u"Acme"_s, u"work"_s))
                                 << expected(u"Acme 01:02:05 · Work 12:34 left"_s,
                                        u"Tracking Acme for 01:02:05\nPomodoro: Work, 12:34 left"_s,
                                        u"tracking"_s);
        QTest::newRow("short break") << std::optional(status(false, {}, u"shortBreak"_s))
                                     << expected(u"Not tracking · Short break 12:34 left"_s,
                                            u"Not tracking\nPomodoro: Short break, 12:34 left"_s,
                                            u"break"_s);
        QTest::newRow("long break, still tracking")
            << std::optional(status(true, u"Acme"_s, u"longBreak"_s))
            << expected(u"Acme 01:02:05 · Long break 12:34 left"_s,
                   u"Tracking Acme for 01:02:05\nPomodoro: Long break, 12:34 left"_s,
                   u"break"_s);
        // Waybar reads text and tooltip as Pango markup: a bare "&" would blank the module.
        QTest::newRow("markup in a name")
            << std::optional(status(true, u"R&D <ops>"_s))
            << expected(
                   u"R&amp;D &lt;ops&gt; 01:02:05"_s, u"Tracking R&amp;D &lt;ops&gt; for 01:02:05"_s, u"tracking"_s);
        QTest::newRow("line break in a name") << std::optional(
            status(true, u"A\nB"_s)) << expected(u"A\nB 01:02:05"_s, u"Tracking A\nB for 01:02:05"_s, u"tracking"_s);
    }

    void waybar()
    {
        QFETCH(std::optional<QJsonObject>, state);
        const QByteArray line = PanelStatus::waybarLine(state);
        QVERIFY2(!line.contains('\n'), line.constData()); // one JSON object per line
        QJsonParseError error;
        const QJsonDocument parsed = QJsonDocument::fromJson(line, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QTEST(parsed.object(), "line");
    }

    // Only names a picker can hand back to `tivrenctl start` as they are.
    void oneNamePerLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("listed");
        const std::pair<QString, bool> rows[] = {
            { u"Acme"_s, true },
            { u"Acme Corp & Sons"_s, true },
            { u"Café ☕ 😀"_s, true },
            { u"שלום עולם"_s, true },
            { QString(), false },
            { u"a\nb"_s, false },
            { u"a\rb"_s, false },
            { u"a\tb"_s, false },
            { u"a\x1b[2Jb"_s, false },
            { u"a\u0085b"_s, false },
            { u"a\u2028b"_s, false },
            { u"a\u2029b"_s, false },
        };
        for (const auto& [name, listed] : rows) {
            const std::unique_ptr<char[]> label(QTest::toPrettyUnicode(name));
            QTest::addRow("%s", label.get()) << name << listed;
        }
    }

    void oneNamePerLine()
    {
        QFETCH(QString, name);
        QTEST(PanelStatus::fitsOnOneLine(name), "listed");
    }
};

QTEST_GUILESS_MAIN(tst_PanelStatus)
#include "tst_PanelStatus.moc"
