#include "SorterPage.h"

#include "CheckedFileList.h"
#include "Dialogs.h"
#include "FileLister.h"
#include "MessageTable.h"
#include "ProjectSession.h"

#include <QPushButton>

SorterPage::SorterPage(const PageContext& context, QWidget* parent)
    : BulkPage(context, QStringLiteral("tsSorter"), QStringLiteral("lvSortFiles"), parent) {
    m_bnSortSelectAll = addButton(QStringLiteral("bnSortSelectAll"), QStringLiteral("Select all"));
    m_bnSortSelectNone = addButton(QStringLiteral("bnSortSelectNone"), QStringLiteral("Unselect all"));
    m_bnSortSelectDestination =
        addButton(QStringLiteral("bnSortSelectDestination"), QStringLiteral("Select destination language files"));
    addGap();
    m_bnSortDoSort = addButton(QStringLiteral("bnSortDoSort"), QStringLiteral("Sort selected files"));
    addStretch();

    connect(m_bnSortSelectAll, &QPushButton::clicked, this, handler(&SorterPage::bnSortSelectAllClick));
    connect(m_bnSortSelectNone, &QPushButton::clicked, this, handler(&SorterPage::bnSortSelectNoneClick));
    connect(m_bnSortSelectDestination, &QPushButton::clicked, this, handler(&SorterPage::bnSortSelectDestinationClick));
    connect(m_bnSortDoSort, &QPushButton::clicked, this, handler(&SorterPage::bnSortDoSortClick));
}

namespace {

QList<FileReport> sortFiles(const QStringList& paths, const BulkRunner::Progress& progress) {
    return BulkRunner::sortFiles(paths, progress);
}

} // namespace

void SorterPage::fillList() {
    const ProjectSession& session = m_context.session;
    fileList()->setFiles(FileLister::languageFiles(session.languageFolder()));
    if (!session.fields().specialPath.isEmpty()) {
        fileList()->appendFiles(FileLister::specialFiles(session.specialFolder()));
    }
}

std::optional<QString> SorterPage::destination() const {
    const std::optional<QString>& name = m_context.session.language(EditingState::Destination);
    if (!name) {
        m_context.dialogs.showError(m_context.messages(MessageTable::WarningDestLanguage));
    }
    return name;
}

void SorterPage::sortDestination(QWidget& progressHolder) {
    if (const std::optional<QString> name = destination()) {
        run(m_context, progressHolder, {m_context.session.languageFolder().filePath(*name)}, &sortFiles);
    }
}

void SorterPage::bnSortSelectAllClick() {
    fileList()->setAllChecked(true);
}

void SorterPage::bnSortSelectNoneClick() {
    fileList()->setAllChecked(false);
}

void SorterPage::bnSortSelectDestinationClick() {
    if (const std::optional<QString> name = destination()) {
        fileList()->checkNamesContaining(*name);
    }
}

void SorterPage::bnSortDoSortClick() {
    runOnChecked(&sortFiles);
}
