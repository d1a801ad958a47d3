#include "RulesPage.h"

RulesPage::RulesPage(const PageContext& context, QWidget* parent)
    : PageWidget(context, QStringLiteral("tsRules"), parent) {}
