#include "CheckedFileList.h"

#include <QHeaderView>
#include <QSet>

CheckedFileList::CheckedFileList(const QString& name, QWidget* parent) : QTreeWidget(parent) {
    setObjectName(name);
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Path")});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    setColumnWidth(0, 200);
}

void CheckedFileList::setFiles(const QList<ListedFile>& files) {
    setUpdatesEnabled(false);
    clear();
    appendFiles(files);
    setUpdatesEnabled(true);
}

void CheckedFileList::appendFiles(const QList<ListedFile>& files) {
    QList<QTreeWidgetItem*> items;
    items.reserve(files.size());
    for (const ListedFile& file : files) {
        auto* item = new QTreeWidgetItem({file.name, file.folder});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        items.append(item);
    }
    addTopLevelItems(items);
}

void CheckedFileList::setAllChecked(bool checked) {
    for (int row = 0; row < topLevelItemCount(); ++row) {
        topLevelItem(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }
}

void CheckedFileList::checkNamesContaining(const QString& text) {
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        item->setCheckState(0, item->text(0).contains(text, Qt::CaseInsensitive) ? Qt::Checked : Qt::Unchecked);
    }
}

QStringList CheckedFileList::checkedPaths() const {
    QStringList paths;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        if (isChecked(row)) {
            paths.append(pathOf(topLevelItem(row)));
        }
    }
    return paths;
}

void CheckedFileList::uncheckPaths(const QStringList& paths) {
    const QSet<QString> done(paths.begin(), paths.end());
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        if (done.contains(pathOf(item))) {
            item->setCheckState(0, Qt::Unchecked);
        }
    }
}

bool CheckedFileList::isChecked(int row) const {
    return topLevelItem(row)->checkState(0) == Qt::Checked;
}

QString CheckedFileList::pathOf(const QTreeWidgetItem* item) {
    return item->text(1) + item->text(0);
}
