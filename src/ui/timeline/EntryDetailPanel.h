// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QPushButton;

namespace tivren {

class AppModel;

namespace Style {
class ColorDot;
}

// The selected entry of a timeline: project, day and span; hours, billed hours and amount; notes;
// Edit and Delete. The week shows it as a row under its canvas, the day as a column on a card
// beside its timeline; the texts, their rules and the buttons are the same in both.
class EntryDetailPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Arrangement
    {
        row,
        column,
    };

    struct Content
    {
        QColor color;
        QString name;
        QString date; // empty: no date line
        QString span;
        QString hours;
        QString billed; // empty: no billed line
        QString amount; // empty: not a rated project
        QString notes;
        QString edit;
        QString remove;
        // The buttons as a screen reader names them, with the entry they act on.
        QString editName;
        QString removeName;
    };

    explicit EntryDetailPanel(Arrangement arrangement, QWidget* parent = nullptr);

    // Fills the buttons' texts and names from the content's name and span.
    static void nameActions(Content& content, const AppModel& model);

    [[nodiscard]] Arrangement arrangement() const { return m_arrangement; }
    [[nodiscard]] QPushButton* editButton() const { return m_edit; }
    [[nodiscard]] QPushButton* deleteButton() const { return m_delete; }
    void setContent(const Content& content);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildRow();
    void buildColumn();
    void makeButtons();
    void colorDeleteButton();

    Arrangement m_arrangement;
    Style::ColorDot* m_dot = nullptr;
    QWidget* m_name = nullptr; // elided in a row, wrapped in a column
    QLabel* m_date = nullptr;
    QLabel* m_span = nullptr;
    QLabel* m_hours = nullptr;
    QLabel* m_billed = nullptr;
    QLabel* m_amount = nullptr;
    QWidget* m_notes = nullptr;
    // What shows only with a billed line, an amount, or notes.
    std::vector<QWidget*> m_billedParts;
    std::vector<QWidget*> m_amountParts;
    std::vector<QWidget*> m_notesParts;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace tivren
