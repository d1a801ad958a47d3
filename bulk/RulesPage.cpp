#include "RulesPage.h"

#include "CheckedFileList.h"
#include "Dialogs.h"
#include "FileLister.h"
#include "ProjectSession.h"
#include "RulesFile.h"

#include <QColor>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor navy(0x00, 0x00, 0x80);

} // namespace

RulesPage::RulesPage(const PageContext& context, QWidget* parent)
    : BulkPage(context, QStringLiteral("tsRules"), QStringLiteral("lvRulesFiles"), parent) {
    m_bnRulesSelectAll = addButton(QStringLiteral("bnRulesSelectAll"), QStringLiteral("Select all"));
    m_bnRulesSelectNone = addButton(QStringLiteral("bnRulesSelectNone"), QStringLiteral("Unselect all"));
    m_bnRulesDoApply = addButton(QStringLiteral("bnRulesDoApply"), QStringLiteral("Apply rules"));
    m_bnRulesDoApply->setEnabled(false);
    addGap();
    m_bnRulesSelectFile = addButton(QStringLiteral("bnRulesSelectFile"), QStringLiteral("Select file"));
    m_labelRulesFileCaption = addLabel(QStringLiteral("labelRulesFileCaption"), QStringLiteral("Rules file:"));
    m_labelRulesFile = addLabel(QStringLiteral("labelRulesFile"), QStringLiteral("No file selected!"));
    QFont font = m_labelRulesFile->font();
    font.setBold(true);
    m_labelRulesFile->setFont(font);
    QPalette palette = m_labelRulesFile->palette();
    palette.setColor(QPalette::WindowText, navy);
    m_labelRulesFile->setPalette(palette);
    addStretch();

    connect(m_bnRulesSelectAll, &QPushButton::clicked, this, handler(&RulesPage::bnRulesSelectAllClick));
    connect(m_bnRulesSelectNone, &QPushButton::clicked, this, handler(&RulesPage::bnRulesSelectNoneClick));
    connect(m_bnRulesDoApply, &QPushButton::clicked, this, handler(&RulesPage::bnRulesDoApplyClick));
    connect(m_bnRulesSelectFile, &QPushButton::clicked, this, handler(&RulesPage::bnRulesSelectFileClick));
}

void RulesPage::aProjectApplyRulesExecute() {
    fileList()->setFiles(FileLister::languageFiles(m_context.session.languageFolder()));
}

void RulesPage::bnRulesSelectAllClick() {
    fileList()->setAllChecked(true);
}

void RulesPage::bnRulesSelectNoneClick() {
    fileList()->setAllChecked(false);
}

void RulesPage::bnRulesSelectFileClick() {
    if (!m_odRuleFile) {
        return;
    }
    if (const std::optional<QString> fileName = m_context.dialogs.openFile(*m_odRuleFile)) {
        m_context.session.setRulesFile(*fileName);
        m_labelRulesFile->setText(*fileName);
        m_bnRulesDoApply->setEnabled(true);
    }
}

void RulesPage::bnRulesDoApplyClick() {
    const QString& fileName = m_context.session.rulesFile();
    if (fileName.isEmpty() || !QFileInfo::exists(fileName)) {
        return;
    }
    const QList<ChangeRule> rules = RulesFile::read(fileName);
    runOnChecked([&rules](const QStringList& paths, const BulkRunner::Progress& progress) {
        return BulkRunner::applyRules(paths, rules, progress);
    });
}
