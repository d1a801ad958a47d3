#pragma once

#include "ScriptedDialogs.h"
#include "TformMain.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class OpenPage;
class QAction;
class RegistryHive;
class TformMain;

// The real main window, offscreen, on a hive and folders of its own, with scripted dialogs.
// Prepare the hive (writeProject, writeValue) before show(): showing runs the start-up steps.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();
    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

    TformMain& window() const { return *m_window; }
    OpenPage& openPage() const;
    ScriptedDialogs& dialogs() const { return *m_dialogs; }
    ProjectSession& session() const { return m_window->session(); }
    RegistryHive& hive() const;

    // Shows the window and waits until it is exposed.
    bool show();

    QString hivePath() const;
    // A path inside the fixture's temporary folder; makeFolder creates it.
    QString path(const QString& relative) const;
    QString makeFolder(const QString& relative);

    // A project key with the given values (creating the key).
    void writeProject(const QString& name, const QMap<QString, QString>& values = {});
    bool writeValue(const QString& key, const QString& name, const QString& value);
    std::optional<QString> projectValue(const QString& project, const QString& name) const;

    // Clicks the project list entry as the user would (press and release of the left button).
    bool clickProject(const QString& name);
    // The window's component of that name and type, or nullptr.
    template <typename T> T* find(const QString& name) const;
    QAction* action(const QString& name) const;
    // Triggers the named action or menu item as a click on it would.
    bool trigger(const QString& name) const;
    // Destroys the window as the end of the program does (no close event).
    void destroyWindow() { m_window.reset(); }
    // A new main window on the same hive and folders, as the next start of the program makes.
    void rebuildWindow();

private:
    void buildWindow();

    QTemporaryDir m_dir;
    QByteArray m_previousRegistry;
    bool m_hadRegistry;
    ScriptedDialogs* m_dialogs = nullptr;
    std::unique_ptr<TformMain> m_window;
};

template <typename T> T* MainWindowFixture::find(const QString& name) const {
    for (QObject* component : m_window->components()) {
        if (component->objectName() == name) {
            if (auto* typed = qobject_cast<T*>(component)) {
                return typed;
            }
        }
    }
    return nullptr;
}
