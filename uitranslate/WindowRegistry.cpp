#include "WindowRegistry.h"

#include "ComponentList.h"

#include <QWidget>

WindowRegistry& WindowRegistry::application() {
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::add(ComponentList& window) {
    if (!m_windows.contains(&window)) {
        m_windows.append(&window);
    }
}

void WindowRegistry::remove(ComponentList& window) {
    m_windows.removeAll(&window);
}

ComponentList* WindowRegistry::find(const QString& name) const {
    for (ComponentList* window : m_windows) {
        if (window->window().objectName() == name) {
            return window;
        }
    }
    return nullptr;
}
