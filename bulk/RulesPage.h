#pragma once

#include "PageWidget.h"

// The page "Apply rules" (tsRules): applying a rules file of moves and copies to chosen language files.
class RulesPage : public PageWidget {
    Q_OBJECT
public:
    explicit RulesPage(const PageContext& context, QWidget* parent = nullptr);
};
