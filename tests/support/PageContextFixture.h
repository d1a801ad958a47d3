#pragma once

#include "ComponentList.h"
#include "HandlerGuard.h"
#include "ImageList.h"
#include "PageContext.h"
#include "ProgressBarLender.h"
#include "ProjectSession.h"
#include "ProjectStore.h"
#include "RegistryHive.h"
#include "ScriptedDialogs.h"

#include <QTemporaryDir>
#include <QWidget>

#include <memory>

// What the main window gives a page, for testing one page alone: a window to hold it, a hive,
// store and session of the test's own and scripted dialogs. Pages made on window() go with it.
class PageContextFixture {
public:
    PageContextFixture() = default;
    ~PageContextFixture() { m_window.reset(); }
    PageContextFixture(const PageContextFixture&) = delete;
    PageContextFixture& operator=(const PageContextFixture&) = delete;

    const PageContext& context() const { return m_context; }
    QWidget& window() const { return *m_window; }
    ProjectSession& session() { return m_session; }
    ScriptedDialogs& dialogs() { return m_dialogs; }
    const ComponentList& components() const { return m_components; }

private:
    QTemporaryDir m_dir;
    RegistryHive m_hive{m_dir.filePath(QStringLiteral("HKCU.reg"))};
    ProjectStore m_store{m_hive};
    ProjectSession m_session;
    ScriptedDialogs m_dialogs;
    HandlerGuard m_guard{m_dialogs};
    ImageList m_ilMain{QStringLiteral("ilMain"), QSize(16, 16)};
    ImageList m_ilFlags16{QStringLiteral("ilFlags16"), QSize(16, 16)};
    std::unique_ptr<QWidget> m_window = std::make_unique<QWidget>();
    ComponentList m_components{*m_window};
    ProgressBarLender m_progress;
    PageContext m_context{m_session, m_store,     m_dialogs,    m_guard,   [](int) { return QString(); },
                          m_ilMain,  m_ilFlags16, m_components, m_progress};
};
