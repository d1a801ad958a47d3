#pragma once

#include "FileLister.h"

#include <QList>
#include <QTreeWidget>

// The file list of the sorter and rules pages (lvSortFiles, lvRulesFiles): a check box per item,
// the columns "Filename" and "Path", items in the order they were added.
class CheckedFileList : public QTreeWidget {
    Q_OBJECT
public:
    CheckedFileList(const QString& name, QWidget* parent = nullptr);

    // Replaces the items, none checked, repainting once.
    void setFiles(const QList<ListedFile>& files);
    void appendFiles(const QList<ListedFile>& files);
    void setAllChecked(bool checked);
    // Checks the items whose name contains text without regard to case and unchecks the rest.
    void checkNamesContaining(const QString& text);

    // The checked items' full file names, first to last.
    QStringList checkedPaths() const;
    // Unchecks the items of those full file names.
    void uncheckPaths(const QStringList& paths);
    bool isChecked(int row) const;

private:
    static QString pathOf(const QTreeWidgetItem* item);
};
