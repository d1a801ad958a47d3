#include "SorterPage.h"

SorterPage::SorterPage(const PageContext& context, QWidget* parent)
    : PageWidget(context, QStringLiteral("tsSorter"), parent) {}
