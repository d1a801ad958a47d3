#pragma once

#include "PageWidget.h"

// The page "Edit Special" (tsNfo): the special files' categories and entries and their editing.
class SpecialPage : public PageWidget {
    Q_OBJECT
public:
    explicit SpecialPage(const PageContext& context, QWidget* parent = nullptr);
};
