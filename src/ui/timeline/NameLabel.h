#pragma once

#include <QLabel>

namespace tivren {

// A project name: whole while there is room (up to a limit), else ending in an ellipsis, with the
// whole name as the tooltip then.
class NameLabel : public QLabel
{
    Q_OBJECT

public:
    explicit NameLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString m_text;
};

} // namespace tivren
