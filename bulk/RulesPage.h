#pragma once

#include "BulkPage.h"

class DialogComponent;
class QLabel;
class QPushButton;

// The page "Apply rules" (tsRules): applying a rules file of moves and copies to chosen language files.
class RulesPage : public BulkPage {
    Q_OBJECT
public:
    explicit RulesPage(const PageContext& context, QWidget* parent = nullptr);

    // The window's open dialog for rules files; the page asks through it.
    void setRuleFileDialog(const DialogComponent& odRuleFile) { m_odRuleFile = &odRuleFile; }

    QPushButton* bnRulesSelectAll() const { return m_bnRulesSelectAll; }
    QPushButton* bnRulesSelectNone() const { return m_bnRulesSelectNone; }
    QPushButton* bnRulesDoApply() const { return m_bnRulesDoApply; }
    QPushButton* bnRulesSelectFile() const { return m_bnRulesSelectFile; }
    QLabel* labelRulesFile() const { return m_labelRulesFile; }

public slots:
    // Fills the list with the project's language files, none checked; the rules file stays.
    void aProjectApplyRulesExecute();
    void bnRulesSelectAllClick();
    void bnRulesSelectNoneClick();
    void bnRulesSelectFileClick();
    void bnRulesDoApplyClick();

private:
    const DialogComponent* m_odRuleFile = nullptr;
    QPushButton* m_bnRulesSelectAll;
    QPushButton* m_bnRulesSelectNone;
    QPushButton* m_bnRulesDoApply;
    QPushButton* m_bnRulesSelectFile;
    QLabel* m_labelRulesFileCaption;
    QLabel* m_labelRulesFile;
};
