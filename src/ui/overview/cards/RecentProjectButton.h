// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"

#include <QAbstractButton>
#include <QIcon>

namespace tivren {

// A recent project as a wide button: colour dot, name, a line saying what pressing does, and a
// play or stop glyph. Painted as one piece so the whole tile is the button.
class RecentProjectButton : public QAbstractButton
{
    Q_OBJECT

public:
    RecentProjectButton(const Project& project, bool running, QString caption, QWidget* parent);

    [[nodiscard]] const QString& captionText() const { return m_caption; }
    [[nodiscard]] bool isRunning() const { return m_running; }
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateGlyph();
    [[nodiscard]] QFont nameFont() const;

    QColor m_color;
    QString m_name;
    QString m_caption;
    bool m_running;
    QIcon m_glyph;
};

} // namespace tivren
