#pragma once

#include "EditRequest.h"
#include "PageWidget.h"

#include <QPointer>

class EditingState;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class QTreeView;
class SectionListModel;
class ValueListModel;

// The page "Edit" (tsEdit): the merged section list, the entry list of the chosen section, the
// texts of the chosen entry and the edit field that F2 saves. Its documents, section and key are
// the session's editing state.
class EditPage : public PageWidget {
    Q_OBJECT
public:
    explicit EditPage(const PageContext& context, QWidget* parent = nullptr);
    ~EditPage() override;

    // The main window's action "aSaveLanguageEntry" (F2), shown by the flat save button. The
    // window connects its triggered() to aSaveLanguageEntryExecute.
    void setSaveAction(QAction* action);
    // The main window's action "aNextUntranslatedEntry", shown by a flat button; its shortcut
    // works while the focus is on this page. The window connects its triggered() to
    // aNextUntranslatedEntryExecute.
    void setNextUntranslatedAction(QAction* action);
    // The popup menu "pmEdit" of the lists, the source label and the edit field.
    void setEditPopupMenu(QMenu* menu);

    EditingState& state();
    const EditingState& state() const;

    // Enters the page for these languages: false (and the error shown) when a file exists
    // but cannot be read; an incomplete request does nothing and gives false.
    bool bnEditLng(const EditRequest& request);
    void BuildSectionList();
    void BuildValueList();
    void lvLanguageSectionsClick();
    void lvLanguageValuesClick();
    void aSaveLanguageEntryExecute();
    void SelectNextMissingEntry();
    // Selects the next entry the destination lacks, in this section or a following one
    // (wrapping once), as clicks on its section and entry would; says so when none is left.
    void aNextUntranslatedEntryExecute();

    // For the search window: select a section or an entry by name without regard to case,
    // without running the click handlers. False when there is none.
    bool selectSection(const QByteArray& name);
    bool selectValue(const QByteArray& key);
    // The search window's jump: selects the section and runs its click, then the entry and its
    // click; a name the lists lack ends the jump there.
    void openEntry(const QByteArray& section, const QByteArray& key);
    // The three language files of the last "&Edit language": reference, source, destination.
    QStringList languageFiles() const;

private:
    void buildControls();
    void buildEditPanel(QWidget* parent);
    void connectLists();
    // After the user chose an entry: the keys go to the edit field.
    void focusEditField();
    void selectRow(QTreeView* view, int row);
    int selectedRow(const QTreeView* view) const;
    QString destinationText(const QByteArray& bytes) const;
    void buildStatusLine(QWidget* parent);
    // The warning beside the edit field: what the checks find wrong with its text.
    void updateCheck();
    // The completion figures of the file and of the current section.
    void updateStatusLine();
    // After a save: the figures of the current section counted again.
    void recountCurrentSection();
    // Of reference, source and destination, in that order.
    QList<int> codePages() const;
    // Builds the lists again when the destination was read anew since they were built (a save
    // found it rewritten on disk), keeping the chosen section and entry and the text being typed.
    // Returns whether it did.
    bool refreshLists();

    QPointer<QMenu> m_editMenu;
    // Set while the program moves a list's selection, which is not the user's click.
    bool m_selectingByProgram = false;
    // The reading of the destination the lists show.
    int m_listsReading = -1;

    SectionListModel* m_sectionModel = nullptr;
    ValueListModel* m_valueModel = nullptr;
    QTreeView* m_lvLanguageSections = nullptr;
    QWidget* m_panelLngEditMain = nullptr;
    QTreeView* m_lvLanguageValues = nullptr;
    QWidget* m_panelLngSource = nullptr;
    QLabel* m_labelLngSource = nullptr;
    QWidget* m_panelLngEdit = nullptr;
    QLabel* m_labelSectionCaption = nullptr;
    QLabel* m_labelValueCaption = nullptr;
    QLabel* m_labelLanguageSection = nullptr;
    QLabel* m_labelLanguageValue = nullptr;
    QToolButton* m_bnSaveLanguageEntry = nullptr;
    QPlainTextEdit* m_memoLngEdit = nullptr;
    QToolButton* m_bnNextUntranslatedEntry = nullptr;
    QLabel* m_imageLngCheck = nullptr;
    QLabel* m_labelLngCheck = nullptr;
    QLabel* m_labelLngStatus = nullptr;
    // The text the edit field is checked against: the chosen entry's source text, else its
    // reference text; empty when there is nothing to check.
    QString m_checkOriginal;
};
