#pragma once

#include "ComponentList.h"
#include "LanguageSearch.h"

#include <QByteArray>
#include <QWidget>

class EditingState;
class HandlerGuard;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTreeWidget;

// The search results window; it lives hidden from start-up until a search is asked for. It
// searches the files of the editing page's documents and asks for a hit's entry to be opened
// through entryChosen, never touching the editing page itself.
class TformSearch : public QWidget {
    Q_OBJECT
public:
    explicit TformSearch(QWidget* parent = nullptr);
    ~TformSearch() override;

    const QList<QObject*>& components() const { return m_components.all(); }
    ComponentList& componentList() { return m_components; }

    // The editing documents whose files are searched and the guard that shows a search's error.
    // Both must outlive the window; before this a search finds nothing.
    void setEditing(const EditingState& editing, const HandlerGuard& guard);

    void FormShow();
    void bnStartSearchClick();
    void lvResultsDblClick();
    void bnOKClick();

signals:
    // A hit was double-clicked: open this section and entry (bytes as stored in the file).
    void entryChosen(const QByteArray& section, const QByteArray& key);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QWidget* buildSearchTerms();
    QWidget* buildResults();
    void showRows();

    ComponentList m_components;
    const EditingState* m_editing = nullptr;
    const HandlerGuard* m_guard = nullptr;
    // The rows of the list point into the texts this result holds.
    LanguageSearch::Result m_result;

    QTabWidget* m_pcSearch = nullptr;
    QWidget* m_tsSearchTerms = nullptr;
    QLabel* m_labelSearchTerm = nullptr;
    QLineEdit* m_eSearchTerm = nullptr;
    QCheckBox* m_cbSearchReference = nullptr;
    QCheckBox* m_cbSearchSource = nullptr;
    QCheckBox* m_cbSearchDestination = nullptr;
    QPushButton* m_bnStartSearch = nullptr;
    QWidget* m_tsResults = nullptr;
    QTreeWidget* m_lvResults = nullptr;
    QStatusBar* m_sbar = nullptr;
    QPushButton* m_bnOK = nullptr;
};
