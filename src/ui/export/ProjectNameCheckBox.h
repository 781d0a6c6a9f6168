// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>

namespace tivren {

// The project's checkbox. A long name is elided to the card's width (the full name in the tool
// tip) rather than widening the list past the sheet; an "&" in a name is shown, not taken as a
// mnemonic.
class ProjectNameCheckBox final : public QCheckBox
{
    Q_OBJECT

public:
    explicit ProjectNameCheckBox(QWidget* parent);

    void setName(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showName();

    QString m_name;
};

} // namespace tivren
