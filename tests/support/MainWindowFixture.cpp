#include "MainWindowFixture.h"

#include "OpenPage.h"
#include "ProjectListWidget.h"
#include "ProjectStore.h"
#include "RegistryHive.h"

#include <QAction>
#include <QDir>
#include <QtTest>

MainWindowFixture::MainWindowFixture() : m_hadRegistry(qEnvironmentVariableIsSet("TOLVANE_REGISTRY")) {
    m_previousRegistry = qgetenv("TOLVANE_REGISTRY");
    // The window opens its hive from the environment, so it must point here first.
    qputenv("TOLVANE_REGISTRY", QFile::encodeName(m_dir.filePath(QStringLiteral("HKCU.reg"))));
    buildWindow();
}

void MainWindowFixture::buildWindow() {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    m_dialogs = dialogs.get();
    m_window = std::make_unique<TformMain>(std::move(dialogs));
}

void MainWindowFixture::rebuildWindow() {
    m_window.reset();
    buildWindow();
}

MainWindowFixture::~MainWindowFixture() {
    m_window.reset();
    if (m_hadRegistry) {
        qputenv("TOLVANE_REGISTRY", m_previousRegistry);
    } else {
        qunsetenv("TOLVANE_REGISTRY");
    }
}

OpenPage& MainWindowFixture::openPage() const {
    return *m_window->openPage();
}

RegistryHive& MainWindowFixture::hive() const {
    return m_window->hive();
}

bool MainWindowFixture::show() {
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window.get());
}

QString MainWindowFixture::hivePath() const {
    return m_window->hive().filePath();
}

QString MainWindowFixture::path(const QString& relative) const {
    return QDir::toNativeSeparators(m_dir.filePath(relative));
}

QString MainWindowFixture::makeFolder(const QString& relative) {
    QDir().mkpath(m_dir.filePath(relative));
    return path(relative);
}

void MainWindowFixture::writeProject(const QString& name, const QMap<QString, QString>& values) {
    const QString key = ProjectStore::projectKey(name);
    hive().createKey(key);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        hive().writeString(key, it.key(), it.value());
    }
}

bool MainWindowFixture::writeValue(const QString& key, const QString& name, const QString& value) {
    return hive().createKey(key) && hive().writeString(key, name, value);
}

std::optional<QString> MainWindowFixture::projectValue(const QString& project, const QString& name) const {
    return hive().readString(ProjectStore::projectKey(project), name);
}

bool MainWindowFixture::clickProject(const QString& name) {
    ProjectListWidget* list = openPage().lbProjects();
    const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
    if (items.size() != 1) {
        return false;
    }
    const QRect rect = list->visualItemRect(items.constFirst());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    return true;
}

QAction* MainWindowFixture::action(const QString& name) const {
    return find<QAction>(name);
}

bool MainWindowFixture::trigger(const QString& name) const {
    QAction* item = action(name);
    if (item == nullptr || !item->isEnabled()) {
        return false;
    }
    item->trigger();
    return true;
}
