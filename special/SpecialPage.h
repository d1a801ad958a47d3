#pragma once

#include "PageWidget.h"
#include "SpecialEntryFields.h"
#include "SpecialEntryList.h"
#include "SpecialFiles.h"

#include <QList>

#include <array>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QToolButton;
class QTreeWidget;

// The page "Edit Special" (tsNfo): the special files' categories and entries and their editing.
// The category and entry shown are the session's special category and entry.
class SpecialPage : public PageWidget {
    Q_OBJECT
public:
    explicit SpecialPage(const PageContext& context, QWidget* parent = nullptr);
    ~SpecialPage() override;

    // The main window's action "aSaveSpecialEntry" (F3), shown by the flat save button.
    void setSaveAction(QAction* action);

    // Enters the page with the session's languages and special folder: false when the languages
    // are not all chosen, or (the error shown) when the destination's language file cannot be read.
    bool bnEditSpecial();
    void FillCategoryList();
    void FillEntryList();
    void ClearEntryFields();
    void cbSpecialFilesChange();
    void lvInfoEntriesClick();
    void aSaveSpecialEntryExecute();

private:
    void buildControls();
    QWidget* buildLeftPanel(QWidget* parent);
    void buildRightPanel(QSplitter* split);
    QWidget* buildFieldsPanel(QWidget* parent);
    QWidget* buildTab(const QString& name, const QString& caption);
    QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption);
    QString category() const;
    SpecialEntryFields fields() const;
    void showFields(const SpecialEntryFields& fields);
    int selectedRow() const;
    void selectRow(int row);
    void setRowMark(int row, RowMark mark);

    // Taken when the page is entered; nothing is listed before.
    std::optional<SpecialFiles> m_files;
    QList<SpecialEntryRow> m_rows;

    QComboBox* m_cbSpecialFiles = nullptr;
    QTreeWidget* m_lvInfoEntries = nullptr;
    QLabel* m_labelInfoCategory = nullptr;
    QLabel* m_labelInfoEntry = nullptr;
    QToolButton* m_bnSpecialSave = nullptr;
    // Company, Product, Threat, Company URL, Product URL, Privacy URL.
    std::array<QLineEdit*, 6> m_edits{};
    QTabWidget* m_pcSpecialTabs = nullptr;
    // Functionality, Privacy, Description.
    std::array<QPlainTextEdit*, 3> m_memos{};
    // Edit date, XBlock ID, Marwick ID.
    std::array<QLabel*, 3> m_internal{};
};
