// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

class QVBoxLayout;

namespace tivren {

// The frame of every screen of the main window: a title row, then the screen's sections in one
// column with the same margins and spacing everywhere, scrolling vertically when the window is
// smaller than its content. Add sections with addSection(); the column ends in a stretch.
class ScreenPage : public QScrollArea
{
    Q_OBJECT

public:
    // objectName names the scroll area ("<name>ScrollArea") and its content ("<name>ContentWidget").
    explicit ScreenPage(const QString& objectName, QWidget* parent = nullptr);

    // The column the sections stand in.
    [[nodiscard]] QVBoxLayout* column() const { return m_column; }
    // Adds a section below the others (above the closing stretch); stretch as in QBoxLayout.
    void addSection(QWidget* section, int stretch = 0);
    // Ends the column without a stretch, for screens whose last section takes the rest of the height.
    void fillHeight();

    static constexpr int margin = 20;
    static constexpr int spacing = 16;

private:
    QVBoxLayout* m_column;
};

} // namespace tivren
