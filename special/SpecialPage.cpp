#include "SpecialPage.h"

SpecialPage::SpecialPage(const PageContext& context, QWidget* parent)
    : PageWidget(context, QStringLiteral("tsNfo"), parent) {}
