// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

namespace tivren {

// Notes in a narrow column: wrapped to a few lines, the last one ending in an ellipsis when there
// is more; the whole text is the tooltip then.
class NotesLabel : public QWidget
{
    Q_OBJECT

public:
    explicit NotesLabel(QWidget* parent = nullptr);

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString& text);

    [[nodiscard]] QSize sizeHint() const override;
    // A narrow window squeezes the lines, which then end in an ellipsis each.
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void relayout();

    QString m_text;
    QStringList m_lines;
};

} // namespace tivren
