#include "TLanguageListItem.h"

bool TLanguageListItem::operator<(const QTreeWidgetItem& other) const {
    return QString::localeAwareCompare(text(0), other.text(0)) < 0;
}
