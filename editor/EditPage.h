#pragma once

#include "EditRequest.h"
#include "EditingState.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QModelIndex;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class QTreeView;
class SectionListModel;
class ValueListModel;

// The content of the page "Edit": the merged section list, the entry list of the chosen
// section, the texts of the chosen entry and the edit field that F2 saves.
class EditPage : public QWidget {
    Q_OBJECT
public:
    explicit EditPage(QWidget* parent = nullptr);
    ~EditPage() override;

    // The main window's action "aSaveLanguageEntry" (F2), shown by the flat save button. The
    // window connects its triggered() to aSaveLanguageEntryExecute.
    void setSaveAction(QAction* action);
    // The popup menu "pmEdit" of the lists, the source label and the edit field.
    void setEditPopupMenu(QMenu* menu);
    // Where file and encoding errors go (the main window's error box).
    void setErrorHandler(std::function<void(const QString&)> showError);
    // The named controls in creation order, for the window's component list.
    QList<QObject*> components() const;

    EditingState& state() { return m_state; }
    const EditingState& state() const { return m_state; }

    // Enters the page for these languages: false (and the error shown) when a file exists
    // but cannot be read; an incomplete request does nothing and gives false.
    bool bnEditLng(const EditRequest& request);
    void BuildSectionList();
    void BuildValueList();
    void lvLanguageSectionsClick();
    void lvLanguageValuesClick();
    void aSaveLanguageEntryExecute();
    void SelectNextMissingEntry();

    // For the search window: select a section or an entry by name without regard to case,
    // without running the click handlers. False when there is none.
    bool selectSection(const QByteArray& name);
    bool selectValue(const QByteArray& key);
    // The three language files of the last "&Edit language": reference, source, destination.
    QStringList languageFiles() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectLists();
    void listPressed(QTreeView* view, const QModelIndex& index, void (EditPage::*click)());
    void selectRow(QTreeView* view, int row);
    int selectedRow(const QTreeView* view) const;
    void reportError(const QString& message);
    QString destinationText(const QByteArray& bytes) const;
    // Of reference, source and destination, in that order.
    QList<int> codePages() const;

    EditingState m_state;
    std::function<void(const QString&)> m_showError;
    QPointer<QMenu> m_editMenu;
    bool m_selecting = false; // selection changes made by the program, not the user
    // The list under the last left press and the row selected in it before that press.
    QTreeView* m_pressedList = nullptr;
    int m_rowBeforePress = -1;

    SectionListModel* m_sectionModel = nullptr;
    ValueListModel* m_valueModel = nullptr;
    QSplitter* m_splitterEdit = nullptr;
    QSplitter* m_splitterValues = nullptr;
    QTreeView* m_lvLanguageSections = nullptr;
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
};
