#pragma once

#include "BulkRunner.h"
#include "FileReport.h"
#include "PageWidget.h"

#include <QList>
#include <QStringList>

#include <functional>

class CheckedFileList;
class QGridLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// What the sorter and rules pages share: the checked file list at the left, a column of buttons
// at the right, and running one rewrite over files with pgLoad borrowed, each file reported.
class BulkPage : public PageWidget {
    Q_OBJECT
public:
    CheckedFileList* fileList() const { return m_list; }

    // The rewrite of a run: the files' full names and where to report progress.
    using Work = std::function<QList<FileReport>(const QStringList& paths, const BulkRunner::Progress& progress)>;

    // Runs work over paths with pgLoad on borrower. A missing file gets the message
    // FileDoesNotExist; the files that could not be rewritten are listed in one error at the end.
    // The editing page's destination is read again when the run rewrote its file. Returns the
    // paths that were done (rewritten or missing).
    static QStringList run(const PageContext& context, QWidget& borrower, const QStringList& paths, const Work& work);

protected:
    BulkPage(const PageContext& context, const QString& pageName, const QString& listName, QWidget* parent);

    QPushButton* addButton(const QString& name, const QString& caption);
    QLabel* addLabel(const QString& name, const QString& caption);
    void addGap();
    // Ends the column: what follows stands at the page's foot.
    void addStretch();
    // Runs work over the checked files with pgLoad on this page; the done ones are unchecked.
    void runOnChecked(const Work& work);

private:
    CheckedFileList* m_list;
    QGridLayout* m_layout;
    QVBoxLayout* m_buttons;
};
