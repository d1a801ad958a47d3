#include "TformSearch.h"

#include "WindowRegistry.h"

TformSearch::TformSearch(QWidget* parent) : QWidget(parent, Qt::Window), m_components(*this) {
    setObjectName(QStringLiteral("formSearch"));
    setWindowTitle(QStringLiteral("Search results"));
    WindowRegistry::application().add(m_components);
}

TformSearch::~TformSearch() {
    WindowRegistry::application().remove(m_components);
}
