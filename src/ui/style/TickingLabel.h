#pragma once

#include <QLabel>

namespace tivren {

// A label whose text changes every second, such as a running clock. A plain QLabel asks the layouts
// around it to lay the whole screen out again on every change of text; this one keeps a fixed size
// while the new text is as wide as the old, so a tick repaints only the label itself.
class TickingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TickingLabel(QWidget* parent = nullptr);

    void setTickingText(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    void fit();

    int m_textWidth = 0; // of text() in the current font
};

} // namespace tivren
