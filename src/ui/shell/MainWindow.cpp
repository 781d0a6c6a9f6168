// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/MainWindow.h"

#include "app/model/AppModel.h"
#include "app/text/AppStrings.h"
#include "ui/overview/OverviewView.h"
#include "ui/overview/TimerToggle.h"
#include "ui/projects/ProjectsView.h"
#include "ui/settings/SettingsView.h"
#include "ui/shell/ReadOnlyBanner.h"
#include "ui/style/Accessibility.h"
#include "ui/style/ScreenPage.h"
#include "ui/style/Style.h"
#include "ui/timeline/TimelineView.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace tivren {

MainWindow::MainWindow(AppModel& model, std::function<void()> openNewProjectWindow, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_openNewProjectWindow(openNewProjectWindow ? std::move(openNewProjectWindow) : [] {})
{
    setObjectName(u"main"_s);
    setMinimumSize(minimumWindowSize);
    resize(960, 640);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // A segmented switcher: one checkable button per section, joined in a row.
    auto* switcher = new QWidget(this);
    switcher->setObjectName(u"sectionSwitcher"_s);
    auto* switcherRow = new QHBoxLayout(switcher);
    switcherRow->setContentsMargins(12, 10, 12, 10);
    switcherRow->setSpacing(0);
    switcherRow->addStretch();
    m_sections = new QButtonGroup(this);
    m_sections->setExclusive(true);
    const QList<MainSection> sections = allMainSections();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        auto* button = new QToolButton(switcher);
        button->setObjectName(rawValue(sections[i]) + u"SectionButton"_s);
        button->setCheckable(true);
        button->setAutoRaise(false);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setMinimumWidth(112);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setStyleSheet(Style::segmentStyleSheet(int(i), int(sections.size())));
        m_sections->addButton(button, int(i));
        switcherRow->addWidget(button);
    }
    switcherRow->addStretch();
    layout->addWidget(switcher);
    connect(m_sections, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setSelectedSection(allMainSections().value(id, MainSection::overview));
    });

    auto* banner = new ReadOnlyBanner(m_model, this);
    layout->addWidget(banner);

    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);

    // A screen is built the first time its section is shown, once the data file has been read: an
    // empty page holds its place until then (rather than "No projects yet" while they are loading).
    m_content = new QStackedWidget(this);
    m_content->setObjectName(u"contentStack"_s);
    for (qsizetype i = 0; i < sections.size(); ++i)
        m_content->addWidget(new QWidget(m_content));
    m_built.fill(false, sections.size());
    layout->addWidget(m_content, 1);

    connect(&m_model, &AppModel::selectedSectionChanged, this, &MainWindow::showSection);
    connect(&m_model, &AppModel::didReadDataChanged, this, &MainWindow::showSection);
    connect(&m_model, &AppModel::settingsChanged, this, &MainWindow::retranslate);
    connect(&m_model, &AppModel::errorMessageChanged, this, &MainWindow::showMessages);
    connect(&m_model, &AppModel::successMessageChanged, this, &MainWindow::showMessages);
    addShortcuts();
    retranslate();
    showSection();
    // Messages that came before the window did (a failed load, with only the tray icon showing).
    showMessages();
}

QWidget* MainWindow::makeScreen(MainSection section)
{
    switch (section) {
    case MainSection::overview:
        return new OverviewView(m_model, this);
    case MainSection::projects:
        return new ProjectsView(m_model, m_openNewProjectWindow, this);
    case MainSection::settings:
        return new SettingsView(m_model, this);
    case MainSection::timeline:
        return new TimelineView(m_model, this);
    }
    return new QWidget(this);
}

void MainWindow::buildScreen(int index)
{
    if (m_built.at(index))
        return;
    m_built[index] = true;
    QWidget* placeholder = m_content->widget(index);
    m_content->insertWidget(index, makeScreen(allMainSections().at(index)));
    m_content->removeWidget(placeholder);
    delete placeholder;
    nameScreen(index);
}

void MainWindow::nameScreen(int index)
{
    // A screen's scroll area takes the focus (for scrolling by keys) and is named after it.
    const QString text = title(allMainSections().at(index), m_model.appLocale());
    for (ScreenPage* page : m_content->widget(index)->findChildren<ScreenPage*>())
        page->setAccessibleName(text);
}

void MainWindow::addShortcuts()
{
    auto add = [this](const QKeySequence& keys, auto action) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    };
    // The same end as the tray's Quit: the event loop ends and the program saves before it exits.
    add(Shortcuts::quit(), &QCoreApplication::quit);
    add(Shortcuts::closeWindow(), [this] {
        close();
    });
    add(Shortcuts::newProject(), [this] {
        m_openNewProjectWindow();
    });
    const QList<MainSection> sections = allMainSections();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        add(Shortcuts::section(int(i)), [this, section = sections[i]] {
            m_model.setSelectedSection(section);
        });
    }
    for (const QKeySequence& keys : { Shortcuts::toggleTimer(), Shortcuts::toggleTimerReturn() }) {
        add(keys, [this] {
            if (m_model.selectedSection() == MainSection::overview)
                toggleTimer(m_model);
        });
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Space reaches the window only when the focused control has no use for it (a button presses,
    // a text field types), so here it can start or stop the timer without surprising anyone.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier
        && m_model.selectedSection() == MainSection::overview) {
        toggleTimer(m_model);
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::retranslate()
{
    setLocale(m_model.appLocale());
    setWindowTitle(m_model.localized(Text::en("Tivren")));
    const QList<MainSection> sections = allMainSections();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const QString text = title(sections[i], m_model.appLocale());
        m_sections->button(int(i))->setText(text);
        m_sections->button(int(i))->setToolTip(Accessibility::withShortcut(text, Shortcuts::section(int(i))));
        nameScreen(int(i));
    }
    findChild<QWidget*>(u"sectionSwitcher"_s)->setAccessibleName(m_model.localized(Text::en("Section")));
}

void MainWindow::showSection()
{
    const int index = int(allMainSections().indexOf(m_model.selectedSection()));
    m_sections->button(index)->setChecked(true);
    if (m_model.didReadData())
        buildScreen(index);
    m_content->setCurrentIndex(index);
}

void MainWindow::showMessages()
{
    // One alert per message slot, each shown while its message is there; closing it by any
    // means clears the message, so it does not come back.
    auto present = [this](QPointer<QMessageBox>& alert,
                       const std::optional<QString>& message,
                       const QString& title,
                       QMessageBox::Icon icon,
                       const std::function<void()>& clear) {
        if (!message) {
            if (alert)
                alert->close();
            return;
        }
        if (!alert) {
            alert = new QMessageBox(icon, title, QString(), QMessageBox::Ok, this);
            alert->setAttribute(Qt::WA_DeleteOnClose);
            alert->setWindowModality(Qt::WindowModal);
            alert->button(QMessageBox::Ok)->setText(m_model.localized(Text::en("OK")));
            connect(alert, &QMessageBox::finished, this, clear);
        }
        alert->setText(*message);
        alert->open();
    };
    present(m_errorAlert,
        m_model.errorMessage(),
        m_model.localized(Text::en("Something went wrong")),
        QMessageBox::Warning,
        [this] {
            m_model.clearError();
        });
    present(m_successAlert,
        m_model.successMessage(),
        m_model.localized(m_model.successTitleKey()),
        QMessageBox::Information,
        [this] {
            m_model.clearSuccessMessage();
        });
}

void MainWindow::bringForward()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace tivren
