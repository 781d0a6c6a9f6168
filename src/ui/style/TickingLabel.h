// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

#include <functional>

namespace tivren {

// A label whose text changes every second, such as a running clock. A plain QLabel asks the layouts
// around it to lay the whole screen out again on every change of text, and measuring the text each
// second costs more than drawing it. This one is as wide as its text with every digit at the font's
// widest, so a tick that changes only digits neither measures nor lays anything out: it repaints
// the label itself.
class TickingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TickingLabel(QWidget* parent = nullptr);

    void setTickingText(const QString& text);
    // Paints the label's background itself, with what lies under it: a tick then repaints the
    // label alone, not the widgets beneath it as well.
    void setBackdrop(std::function<void(QPainter&)> backdrop);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();

    QString m_shape; // text() with its digits as '0': ticks that keep it keep the size
    QChar m_widestDigit; // in the current font; null until measured
    std::function<void(QPainter&)> m_backdrop;
};

} // namespace tivren
