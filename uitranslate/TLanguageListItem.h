#pragma once

#include <QTreeWidgetItem>

class TnvLanguage;

// A row of the language list view; it refers to its language and never owns it. Rows sort by
// their caption with the locale's case-sensitive comparison.
class TLanguageListItem : public QTreeWidgetItem {
public:
    TLanguageListItem() : QTreeWidgetItem(UserType) {}

    TnvLanguage* Language = nullptr;

    bool operator<(const QTreeWidgetItem& other) const override;
};
