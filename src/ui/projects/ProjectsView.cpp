// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/projects/ProjectsView.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/editors/ProjectEditor.h"
#include "ui/style/Accessibility.h"
#include "ui/style/ProjectColors.h"
#include "ui/style/ScreenPage.h"
#include "ui/style/Style.h"

#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace tivren {

using Style::borderlessButton;

namespace {

QString incrementText(const AppModel& model, int minutes)
{
    switch (minutes) {
    case 60:
        return model.localized(Text::en("60 min"));
    case 30:
        return model.localized(Text::en("30 min"));
    case 15:
        return model.localized(Text::en("15 min"));
    default:
        return model.localizedPlural(Text::plural("%n min"), minutes);
    }
}

QString roundingText(const AppModel& model, BillingRoundingStrategy strategy)
{
    switch (strategy) {
    case BillingRoundingStrategy::roundUpPerEntry:
        return model.localized(Text::en("round up per entry"));
    case BillingRoundingStrategy::roundNearestPerEntry:
        return model.localized(Text::en("round nearest per entry"));
    case BillingRoundingStrategy::roundProjectTotal:
        return model.localized(Text::en("round project total"));
    }
    return {};
}

// Removes the rows of a list. A row may be going away from inside its own button's click
// (Archive, Restore), so it is taken out of sight now and deleted once the click is over.
void clearList(QWidget* list)
{
    const QList<QWidget*> children = list->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        child->hide();
        child->setParent(nullptr);
        child->deleteLater();
    }
}

QWidget* insetList(const QString& objectName, QWidget* parent)
{
    auto* list = new QFrame(parent);
    list->setObjectName(objectName);
    list->setStyleSheet(u"QFrame#%1 { background: palette(base); border: 1px solid palette(midlight);"
                        " border-radius: 8px; }"_s.arg(objectName));
    auto* layout = new QVBoxLayout(list);
    layout->setContentsMargins(12, 4, 12, 4);
    layout->setSpacing(0);
    return list;
}

void appendRow(QWidget* list, QWidget* row)
{
    auto* layout = static_cast<QVBoxLayout*>(list->layout());
    if (layout->count() > 0) {
        auto* separator = new QFrame(list);
        separator->setObjectName(u"rowSeparatorFrame"_s);
        separator->setFixedHeight(1);
        separator->setStyleSheet(u"background: palette(midlight);"_s);
        layout->addWidget(separator);
        separator->show();
    }
    layout->addWidget(row);
    // A layout shows children added to a visible list only on the next turn; a grab or a
    // test looking at the list right after a change must already see them.
    row->show();
}

QLabel* sectionHeader(const QString& objectName, QWidget* parent)
{
    QLabel* label = Style::label(TextStyle::body, objectName, parent, Tone::secondary, QFont::DemiBold);
    label->setContentsMargins(12, 4, 0, 0);
    return label;
}

} // namespace

ProjectsView::ProjectsView(AppModel& model, std::function<void()> openNewProjectWindow, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_openNewProjectWindow(std::move(openNewProjectWindow))
{
    setObjectName(u"projectsView"_s);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* page = new ScreenPage(u"projects"_s, this);
    outer->addWidget(page);
    page->addSection(buildHeader());
    // Either the empty state or the lists, which take the rest of the height.
    page->addSection(buildEmptyState(), 1);
    page->addSection(buildLists(), 1);
    page->fillHeight();

    connect(&m_model, &AppModel::projectsChanged, this, &ProjectsView::rebuild);
    connect(&m_model, &AppModel::activeSessionChanged, this, &ProjectsView::rebuild);
    // Language and currency both live in the settings.
    connect(&m_model, &AppModel::settingsChanged, this, [this] {
        retranslate();
        rebuild();
    });
    retranslate();
    rebuild();
}

ProjectsView::~ProjectsView() = default;

QWidget* ProjectsView::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    m_titleLabel = Style::label(TextStyle::title, u"titleLabel"_s, header);
    row->addWidget(m_titleLabel);
    row->addStretch();
    m_addButton = new QPushButton(header);
    m_addButton->setObjectName(u"addProjectButton"_s);
    m_addButton->setIcon(QIcon::fromTheme(u"list-add"_s));
    connect(m_addButton, &QPushButton::clicked, this, &ProjectsView::addProject);
    row->addWidget(m_addButton);
    return header;
}

QWidget* ProjectsView::buildEmptyState()
{
    m_emptyState = new QWidget(this);
    m_emptyState->setObjectName(u"emptyStateWidget"_s);
    auto* emptyLayout = new QVBoxLayout(m_emptyState);
    emptyLayout->setSpacing(8);
    emptyLayout->addStretch();
    auto* icon = new QLabel(m_emptyState);
    icon->setObjectName(u"emptyIconLabel"_s);
    icon->setAlignment(Qt::AlignCenter);
    icon->setEnabled(false);
    // Few icon themes have a briefcase; a folder says "projects" nearly as well.
    icon->setPixmap(
        Style::themeIcon(u"briefcase"_s, u"folder-documents"_s, QStyle::SP_DirIcon, style()).pixmap(48, 48));
    emptyLayout->addWidget(icon);
    m_emptyTitle = Style::label(TextStyle::title, u"emptyTitleLabel"_s, m_emptyState);
    m_emptyTitle->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(m_emptyTitle);
    m_emptyDescription = Style::label(TextStyle::body, u"emptyDescriptionLabel"_s, m_emptyState, Tone::secondary);
    m_emptyDescription->setAlignment(Qt::AlignCenter);
    m_emptyDescription->setWordWrap(true);
    emptyLayout->addWidget(m_emptyDescription);
    emptyLayout->addStretch();
    return m_emptyState;
}

QWidget* ProjectsView::buildLists()
{
    m_lists = new QWidget(this);
    m_lists->setObjectName(u"listContentWidget"_s);
    auto* contentLayout = new QVBoxLayout(m_lists);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(6);
    m_activeHeader = sectionHeader(u"activeHeaderLabel"_s, m_lists);
    contentLayout->addWidget(m_activeHeader);
    m_activeList = insetList(u"activeListWidget"_s, m_lists);
    contentLayout->addWidget(m_activeList);
    contentLayout->addSpacing(10);
    m_archivedHeader = sectionHeader(u"archivedHeaderLabel"_s, m_lists);
    contentLayout->addWidget(m_archivedHeader);
    m_archivedList = insetList(u"archivedListWidget"_s, m_lists);
    contentLayout->addWidget(m_archivedList);
    contentLayout->addStretch();
    return m_lists;
}

QString ProjectsView::billingDescription(const AppModel& model, const Project& project)
{
    return incrementText(model, project.billingIncrementMinutes) + u", "_s
        + roundingText(model, project.billingRoundingStrategy);
}

void ProjectsView::addProject()
{
    if (m_model.selectedSection() != MainSection::projects)
        m_model.setSelectedSection(MainSection::projects);
    if (QWidget* main = window(); main != this && main->isVisible()) {
        main->raise();
        main->activateWindow();
    }
    // On the next turn, so the new window lands in front of the main window rather than under it.
    QTimer::singleShot(0, this, [this] {
        if (m_openNewProjectWindow)
            m_openNewProjectWindow();
    });
}

void ProjectsView::editProject(const Project& project)
{
    auto* sheet = new QDialog(this);
    sheet->setObjectName(u"editorSheetDialog"_s);
    sheet->setWindowModality(Qt::WindowModal);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    auto* editor = new ProjectEditor(m_model, project, sheet);
    (new QVBoxLayout(sheet))->addWidget(editor);
    connect(editor, &ProjectEditor::saved, sheet, &QDialog::accept);
    connect(editor, &ProjectEditor::cancelled, sheet, &QDialog::reject);
    sheet->open();
}

void ProjectsView::retranslate()
{
    setLocale(m_model.appLocale());
    m_titleLabel->setText(m_model.localized(Text::en("Projects")));
    m_addButton->setText(m_model.localized(Text::en("Add Project")));
    m_addButton->setToolTip(Accessibility::withShortcut(m_addButton->text(), Shortcuts::newProject()));
    m_emptyTitle->setText(m_model.localized(Text::en("No projects yet")));
    m_emptyDescription->setText(
        m_model.localized(Text::en("Create a project with an hourly rate, then start tracking it from the menu bar.")));
    m_activeHeader->setText(m_model.localized(Text::en("Active")));
    m_archivedHeader->setText(m_model.localized(Text::en("Archived")));
}

void ProjectsView::rebuild()
{
    const bool empty = m_model.projects().isEmpty();
    m_emptyState->setVisible(empty);
    m_lists->setVisible(!empty);

    clearList(m_activeList);
    const QList<Project> active = m_model.activeProjects();
    for (const Project& project : active)
        appendRow(m_activeList, activeRow(project, m_activeList));
    // An empty frame under the header would read as a broken list; the header alone says it.
    m_activeList->setVisible(!active.isEmpty());

    clearList(m_archivedList);
    const QList<Project> archived = m_model.archivedProjects();
    for (const Project& project : archived)
        appendRow(m_archivedList, archivedRow(project, m_archivedList));
    m_archivedHeader->setVisible(!archived.isEmpty());
    m_archivedList->setVisible(!archived.isEmpty());
}

QWidget* ProjectsView::detailsView(const Project& project, QWidget* parent) const
{
    auto* details = new QWidget(parent);
    details->setObjectName(u"detailsWidget"_s);
    auto* row = new QHBoxLayout(details);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto* dot = new Style::ColorDot(12, details);
    dot->setColor(projectColor(project.colorName));
    row->addWidget(dot, 0, Qt::AlignVCenter);

    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    QLabel* name = Style::label(TextStyle::body, u"nameLabel"_s, details, Tone::primary, QFont::Medium);
    name->setTextFormat(Qt::PlainText);
    name->setText(project.name);
    column->addWidget(name);

    QLabel* billing = Style::label(TextStyle::body, u"billingLabel"_s, details, Tone::secondary);
    billing->setText(project.hourlyRate ? m_model.localized(Text::en("%@ / hour • %@"),
                         { m_model.currencyString(*project.hourlyRate), billingDescription(m_model, project) })
                                        : m_model.localized(Text::en("Time tracking only")));
    column->addWidget(billing);
    row->addLayout(column, 1);
    return details;
}

QWidget* ProjectsView::activeRow(const Project& project, QWidget* parent)
{
    auto* row = new QWidget(parent);
    row->setObjectName(u"projectRow"_s);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 6, 0, 6);
    layout->setSpacing(8);
    layout->addWidget(detailsView(project, row), 1);

    const auto& session = m_model.activeSession();
    if (session && session->projectID == project.id) {
        QLabel* badge = Style::label(TextStyle::caption, u"runningBadgeLabel"_s, row, Tone::primary, QFont::DemiBold);
        badge->setText(m_model.localized(Text::en("Running")));
        QColor green = projectColor(u"green"_s);
        green.setAlphaF(0.15f);
        // Half the height rounds the ends into a capsule.
        const int height = badge->fontMetrics().height() + 8;
        badge->setFixedHeight(height);
        badge->setStyleSheet(u"QLabel { background: %1; border-radius: %2px; padding: 0 8px; }"_s.arg(
            green.name(QColor::HexArgb), QString::number(height / 2)));
        layout->addWidget(badge, 0, Qt::AlignVCenter);
    }

    auto* edit = borderlessButton(u"editButton"_s, false, row);
    edit->setText(m_model.localized(Text::en("Edit")));
    //: Read by screen readers for the Edit button of a project; %@ is the project's name.
    edit->setAccessibleName(m_model.localized(Text::en("Edit %@"), { project.name }));
    connect(edit, &QPushButton::clicked, this, [this, project] {
        editProject(project);
    });
    layout->addWidget(edit, 0, Qt::AlignVCenter);

    auto* archive = borderlessButton(u"archiveButton"_s, true, row);
    //: Verb, a menu action: move the project to the archive.
    archive->setText(m_model.localized(Text::en("Archive")));
    //: Read by screen readers for the Archive button of a project; %@ is the project's name.
    archive->setAccessibleName(m_model.localized(Text::en("Archive %@"), { project.name }));
    connect(archive, &QPushButton::clicked, this, [this, project] {
        m_model.archiveProject(project);
    });
    layout->addWidget(archive, 0, Qt::AlignVCenter);
    return row;
}

QWidget* ProjectsView::archivedRow(const Project& project, QWidget* parent)
{
    auto* row = new QWidget(parent);
    row->setObjectName(u"projectRow"_s);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(8);
    layout->addWidget(detailsView(project, row), 1);
    auto* restore = borderlessButton(u"restoreButton"_s, false, row);
    restore->setText(m_model.localized(Text::en("Restore")));
    //: Read by screen readers for the Restore button of an archived project; %@ is the project's name.
    restore->setAccessibleName(m_model.localized(Text::en("Restore %@"), { project.name }));
    connect(restore, &QPushButton::clicked, this, [this, project] {
        m_model.restoreProject(project);
    });
    layout->addWidget(restore, 0, Qt::AlignVCenter);
    return row;
}

} // namespace tivren
