#include "TformSearch.h"

TformSearch::TformSearch(QWidget* parent) : QWidget(parent, Qt::Window), m_components(*this) {
    setObjectName(QStringLiteral("formSearch"));
    setWindowTitle(QStringLiteral("Search results"));
}
