#include "TformSearch.h"

TformSearch::TformSearch(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("formSearch"));
    setWindowTitle(QStringLiteral("Search results"));
}
