#include "LanguageDisplays.h"

#include "ImageList.h"
#include "TLanguageListItem.h"
#include "TnvLanguageList.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

namespace LanguageDisplays {

void fillMenu(QMenu& menu, const TnvLanguageList& languages, const ImageList& images16) {
    menu.clear();
    for (int i = 0; i < languages.Count(); ++i) {
        const TnvLanguage& language = languages[i];
        auto* entry = new QAction(language.LanguageRealName, &menu);
        entry->setToolTip(language.LanguageName);
        entry->setIcon(images16.icon(language.ImageIndex16));
        menu.addAction(entry);
    }
}

void fillListView(QTreeWidget& view, const TnvLanguageList& languages, const ImageList& images16) {
    view.setRootIsDecorated(false);
    if (view.columnCount() < 3) {
        view.setColumnCount(3);
    }
    QHeaderView* header = view.header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Interactive);
    view.setColumnWidth(0, 100);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Fixed);
    // The base name travels with the row without being seen.
    header->setMinimumSectionSize(0);
    view.setColumnWidth(2, 0);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setIconSize(images16.imageSize());

    view.setUpdatesEnabled(false);
    view.clear();
    view.setSortingEnabled(true);
    view.sortByColumn(0, Qt::AscendingOrder);
    for (int i = 0; i < languages.Count(); ++i) {
        TnvLanguage& language = languages[i];
        auto* row = new TLanguageListItem;
        row->Language = &language;
        row->setText(0, language.LanguageRealName);
        row->setText(1, language.LanguageHint);
        row->setText(2, language.LanguageName);
        row->setIcon(0, images16.icon(language.ImageIndex16));
        row->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(&language)));
        view.addTopLevelItem(row);
    }
    view.setUpdatesEnabled(true);
}

} // namespace LanguageDisplays
