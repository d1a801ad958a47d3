#include "BulkPage.h"

#include "CheckedFileList.h"
#include "ComponentList.h"
#include "Dialogs.h"
#include "MessageTable.h"
#include "ProgressBarLender.h"
#include "ProjectSession.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int buttonWidth = 185;
constexpr int buttonHeight = 25;

bool isEditingDestination(const ProjectSession& session, const QString& path) {
    const EditingState& editing = session.editing();
    return editing.hasDocuments() && QFileInfo(editing.path(EditingState::Destination)) == QFileInfo(path);
}

} // namespace

BulkPage::BulkPage(const PageContext& context, const QString& pageName, const QString& listName, QWidget* parent)
    : PageWidget(context, pageName, parent) {
    m_list = context.components.add(new CheckedFileList(listName, this));
    m_layout = new QGridLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_buttons = new QVBoxLayout;
    m_buttons->setContentsMargins(8, 8, 8, 8);
    m_buttons->setSpacing(6);
    m_layout->addWidget(m_list, 0, 0);
    m_layout->addLayout(m_buttons, 0, 1);
    m_layout->setColumnStretch(0, 1);
    m_layout->setRowStretch(0, 1);
}

QPushButton* BulkPage::addButton(const QString& name, const QString& caption) {
    auto* button = m_context.components.add(new QPushButton(caption, this));
    button->setObjectName(name);
    button->setFixedSize(buttonWidth, buttonHeight);
    m_buttons->addWidget(button);
    return button;
}

QLabel* BulkPage::addLabel(const QString& name, const QString& caption) {
    auto* label = m_context.components.add(new QLabel(caption, this));
    label->setObjectName(name);
    label->setFixedWidth(buttonWidth);
    label->setWordWrap(true);
    m_buttons->addWidget(label);
    return label;
}

void BulkPage::addGap() {
    m_buttons->addSpacing(24);
}

void BulkPage::addStretch() {
    m_buttons->addStretch(1);
}

void BulkPage::runOnChecked(const Work& work) {
    const QStringList paths = m_list->checkedPaths();
    m_list->uncheckPaths(run(m_context, *this, paths, work));
}

QStringList BulkPage::run(const PageContext& context, QWidget& borrower, const QStringList& paths, const Work& work) {
    const QList<FileReport> reports = [&] {
        ProgressBarLoan loan = context.progress.lend(borrower);
        if (auto* layout = qobject_cast<QGridLayout*>(borrower.layout())) {
            layout->addWidget(&loan.bar(), 1, 0, 1, layout->columnCount());
        }
        return work(paths, [&loan](int done, int total) { loan.progress(done, total); });
    }();

    QStringList done;
    QStringList failures;
    bool destinationRewritten = false;
    for (const FileReport& report : reports) {
        switch (report.outcome) {
        case FileReport::Outcome::Written:
            done.append(report.path);
            destinationRewritten = destinationRewritten || isEditingDestination(context.session, report.path);
            break;
        case FileReport::Outcome::Missing:
            done.append(report.path);
            context.dialogs.showError(
                MessageTable::format(context.messages(MessageTable::FileDoesNotExist), report.path));
            break;
        case FileReport::Outcome::Failed:
            failures.append(report.reason.contains(report.path) ? report.reason
                                                                : report.path + QStringLiteral(": ") + report.reason);
            break;
        }
    }
    if (destinationRewritten) {
        context.session.editing().reloadDestination();
    }
    if (!failures.isEmpty()) {
        context.dialogs.showError(QStringLiteral("These files were left as they were:\n\n") +
                                  failures.join(QLatin1Char('\n')));
    }
    return done;
}
