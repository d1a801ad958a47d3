#pragma once

#include "PageWidget.h"

// The page "Sorter" (tsSorter): sorting the sections and entries of chosen language files.
class SorterPage : public PageWidget {
    Q_OBJECT
public:
    explicit SorterPage(const PageContext& context, QWidget* parent = nullptr);
};
