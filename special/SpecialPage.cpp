#include "SpecialPage.h"

#include "ComponentList.h"
#include "MarkIcons.h"
#include "ProjectSession.h"
#include "ReturnlessMemo.h"
#include "SpecialCategories.h"
#include "SpecialEntryLayers.h"
#include "SpecialEntrySaver.h"
#include "ValueLabel.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kLeftPanelWidth = 185;
constexpr int kFieldsPanelHeight = 206;

struct Caption {
    const char* name;
    const char* text;
};

// The six edits of the key table, in its order.
constexpr std::array<Caption, 6> kEdits = {{{"eCompany", "Company:"},
                                            {"eProduct", "Product:"},
                                            {"eThreat", "Threat:"},
                                            {"eCompanyURL", "Company URL:"},
                                            {"eProductURL", "Product URL:"},
                                            {"ePrivacyURL", "Privacy URL:"}}};
constexpr std::array<Caption, 3> kMemos = {
    {{"mFunctionality", "Functionality"}, {"mPrivacy", "Privacy"}, {"mDescription", "Description"}}};
constexpr std::array<Caption, 3> kInternal = {{{"labelSpecialEditDate", "Edit Date:"},
                                               {"labelSpecialXBlockID", "XBlock ID:"},
                                               {"labelSpecialMarwickID", "Marwick ID:"}}};

// A value label: bold navy, and tag 1 so that its data is never written out as interface text.
void makeValueLabel(QLabel* label) {
    ValueLabel::style(label);
    label->setProperty("tag", 1);
}

} // namespace

SpecialPage::SpecialPage(const PageContext& context, QWidget* parent)
    : PageWidget(context, QStringLiteral("tsNfo"), parent) {
    buildControls();
    connect(m_cbSpecialFiles, &QComboBox::currentIndexChanged, this, handler(&SpecialPage::cbSpecialFilesChange));
    // clicked() comes from a left click only, also on the row already selected, and never from the keyboard.
    connect(m_lvInfoEntries, &QTreeWidget::clicked, this, handler(&SpecialPage::lvInfoEntriesClick));
}

SpecialPage::~SpecialPage() = default;

void SpecialPage::buildControls() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    layout->addWidget(split);
    split->addWidget(buildLeftPanel(split));
    buildRightPanel(split);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({kLeftPanelWidth, 600});
}

QWidget* SpecialPage::buildLeftPanel(QWidget* parent) {
    ComponentList& components = m_context.components;
    auto* panel = components.add(new QWidget(parent));
    panel->setObjectName(QStringLiteral("panelInfoLeft"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_cbSpecialFiles = components.add(new QComboBox(panel));
    m_cbSpecialFiles->setObjectName(QStringLiteral("cbSpecialFiles"));
    m_cbSpecialFiles->setProperty("images", QStringLiteral("ilMain"));
    m_cbSpecialFiles->setEditable(false);
    m_cbSpecialFiles->setMaxVisibleItems(20);
    m_cbSpecialFiles->setIconSize(QSize(16, 16));
    m_lvInfoEntries = components.add(new QTreeWidget(panel));
    m_lvInfoEntries->setObjectName(QStringLiteral("lvInfoEntries"));
    m_lvInfoEntries->setHeaderLabels({QStringLiteral("Entry")});
    m_lvInfoEntries->setRootIsDecorated(false);
    m_lvInfoEntries->setUniformRowHeights(true);
    m_lvInfoEntries->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvInfoEntries->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvInfoEntries->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvInfoEntries->setIconSize(QSize(16, 16));
    // The entry list delivers its rows in the locale's order; the view never re-sorts.
    m_lvInfoEntries->setSortingEnabled(false);
    layout->addWidget(m_cbSpecialFiles);
    layout->addWidget(m_lvInfoEntries, 1);
    return panel;
}

void SpecialPage::buildRightPanel(QSplitter* split) {
    ComponentList& components = m_context.components;
    auto* panel = new QWidget(split);
    panel->setObjectName(QStringLiteral("panelInfoRight"));
    split->addWidget(panel);
    // The bar stands before the panel, in the list as on the page.
    QSplitterHandle* bar = split->handle(split->indexOf(panel));
    bar->setObjectName(QStringLiteral("splitterInfo"));
    components.add(bar);
    components.add(panel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildFieldsPanel(panel));
    m_pcSpecialTabs = components.add(new QTabWidget(panel));
    m_pcSpecialTabs->setObjectName(QStringLiteral("pcSpecialTabs"));
    for (size_t index = 0; index < kMemos.size(); ++index) {
        QWidget* tab = buildTab(QStringLiteral("tsSpecial") + QLatin1String(kMemos[index].text),
                                QLatin1String(kMemos[index].text));
        m_memos[index] = components.add(new ReturnlessMemo(tab));
        m_memos[index]->setObjectName(QLatin1String(kMemos[index].name));
        tab->layout()->addWidget(m_memos[index]);
    }
    QWidget* internal = buildTab(QStringLiteral("tsSpecialInternal"), QStringLiteral("Internal data"));
    auto* grid = new QGridLayout;
    for (size_t index = 0; index < kInternal.size(); ++index) {
        const QString name = QLatin1String(kInternal[index].name);
        grid->addWidget(addLabel(internal, name + QLatin1String("Caption"), QLatin1String(kInternal[index].text)),
                        int(index), 0);
        m_internal[index] = addLabel(internal, name, QString());
        makeValueLabel(m_internal[index]);
        m_internal[index]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(m_internal[index], int(index), 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(int(kInternal.size()), 1);
    static_cast<QVBoxLayout*>(internal->layout())->addLayout(grid);
    layout->addWidget(m_pcSpecialTabs, 1);
}

QWidget* SpecialPage::buildFieldsPanel(QWidget* parent) {
    auto* panel = m_context.components.add(new QWidget(parent));
    panel->setObjectName(QStringLiteral("panelInfoTop"));
    panel->setFixedHeight(kFieldsPanelHeight);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(addLabel(panel, QStringLiteral("labelInfoCategoryCaption"), QStringLiteral("Category:")), 0, 0);
    m_labelInfoCategory = addLabel(panel, QStringLiteral("labelInfoCategory"), QString());
    makeValueLabel(m_labelInfoCategory);
    grid->addWidget(m_labelInfoCategory, 0, 1);
    grid->addWidget(addLabel(panel, QStringLiteral("labelInfoEntryCaption"), QStringLiteral("Entry:")), 1, 0);
    m_labelInfoEntry = addLabel(panel, QStringLiteral("labelInfoEntry"), QString());
    makeValueLabel(m_labelInfoEntry);
    grid->addWidget(m_labelInfoEntry, 1, 1);
    m_bnSpecialSave = m_context.components.add(new QToolButton(panel));
    m_bnSpecialSave->setObjectName(QStringLiteral("bnSpecialSave"));
    m_bnSpecialSave->setAutoRaise(true);
    m_bnSpecialSave->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_bnSpecialSave->setIcon(MarkIcons::saveGlyph());
    m_bnSpecialSave->setText(QStringLiteral("F3"));
    grid->addWidget(m_bnSpecialSave, 0, 2, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    for (size_t index = 0; index < kEdits.size(); ++index) {
        const QString name = QLatin1String(kEdits[index].name);
        const int row = int(index) + 2;
        grid->addWidget(addLabel(panel, QStringLiteral("label") + name.mid(1), QLatin1String(kEdits[index].text)), row,
                        0);
        m_edits[index] = m_context.components.add(new QLineEdit(panel));
        m_edits[index]->setObjectName(name);
        grid->addWidget(m_edits[index], row, 1, 1, 2);
    }
    grid->setColumnStretch(1, 1);
    return panel;
}

QWidget* SpecialPage::buildTab(const QString& name, const QString& caption) {
    auto* tab = m_context.components.add(new QWidget(m_pcSpecialTabs));
    tab->setObjectName(name);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    m_pcSpecialTabs->addTab(tab, caption);
    return tab;
}

QLabel* SpecialPage::addLabel(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = m_context.components.add(new QLabel(caption, parent));
    label->setObjectName(name);
    return label;
}

void SpecialPage::setSaveAction(QAction* action) {
    if (action && action->icon().isNull()) {
        action->setIcon(MarkIcons::saveGlyph());
    }
    m_bnSpecialSave->setDefaultAction(action);
}

bool SpecialPage::bnEditSpecial() {
    const ProjectSession& session = m_context.session;
    if (!session.languagesChosen()) {
        return false;
    }
    const SpecialLanguages languages{*session.language(EditingState::Reference),
                                     *session.language(EditingState::Source),
                                     *session.language(EditingState::Destination)};
    bool entered = false;
    m_context.guard.run([this, &session, &languages, &entered] {
        // Special files carry no code page of their own: the destination's language file gives it.
        const int codePage =
            SpecialFiles::codePageOfLanguageFile(session.languageFolder().filePath(languages.destination));
        m_files.emplace(session.fields().specialPath, session.fields().specialExtension, languages, codePage);
        entered = true;
    });
    if (entered) {
        FillCategoryList();
    }
    return entered;
}

void SpecialPage::FillCategoryList() {
    ClearEntryFields();
    m_rows.clear();
    m_lvInfoEntries->clear();
    const QSignalBlocker blocker(m_cbSpecialFiles);
    m_cbSpecialFiles->clear();
    if (m_files) {
        for (const SpecialCategory& category : SpecialCategories::list(*m_files)) {
            m_cbSpecialFiles->addItem(MarkIcons::icon(category.mark), category.name, int(category.mark));
        }
    }
    m_cbSpecialFiles->setCurrentIndex(-1);
}

void SpecialPage::cbSpecialFilesChange() {
    const QString category = m_cbSpecialFiles->currentIndex() < 0 ? QString() : m_cbSpecialFiles->currentText();
    m_context.session.setSpecialCategory(category.toUtf8());
    m_labelInfoCategory->setText(category);
    FillEntryList();
}

void SpecialPage::FillEntryList() {
    ClearEntryFields();
    m_rows.clear();
    m_lvInfoEntries->clear();
    if (!m_files || category().isEmpty()) {
        return;
    }
    m_rows = SpecialEntryList::build(*m_files, category());
    QList<QTreeWidgetItem*> items;
    items.reserve(m_rows.size());
    for (const SpecialEntryRow& row : std::as_const(m_rows)) {
        auto* item = new QTreeWidgetItem(QStringList{row.caption});
        items.append(item);
    }
    m_lvInfoEntries->addTopLevelItems(items);
    for (int row = 0; row < m_rows.size(); ++row) {
        setRowMark(row, m_rows[row].mark);
    }
}

void SpecialPage::ClearEntryFields() {
    m_labelInfoEntry->clear();
    m_context.session.setSpecialEntry(QByteArray());
    for (QLineEdit* edit : m_edits) {
        edit->clear();
    }
    for (QPlainTextEdit* memo : m_memos) {
        memo->clear();
    }
}

void SpecialPage::lvInfoEntriesClick() {
    const int row = selectedRow();
    if (row < 0 || !m_files) {
        ClearEntryFields();
        return;
    }
    const SpecialEntryRow& entry = m_rows[row];
    // Read first: a file that cannot be read leaves the previous entry whole, label and texts.
    const SpecialEntryFields shown = SpecialEntryLayers::show(*m_files, category(), entry.name);
    m_labelInfoEntry->setText(entry.caption);
    m_context.session.setSpecialEntry(entry.name);
    showFields(shown);
    // Typing replaces the first text at once.
    m_edits.front()->setFocus(Qt::OtherFocusReason);
    m_edits.front()->selectAll();
}

void SpecialPage::aSaveSpecialEntryExecute() {
    if (!m_files) {
        return;
    }
    const SpecialEntrySaver::Step step = SpecialEntrySaver::saveAndMove(
        *m_files, category(), m_context.session.specialEntry(), fields(), m_rows, selectedRow());
    if (!step.result.error.isEmpty()) {
        // The file is as it was: the mark and the selection stay.
        m_context.guard.showError(step.result.error);
        return;
    }
    if (step.markedRow >= 0) {
        m_rows[step.markedRow].mark = MarkPresent;
        setRowMark(int(step.markedRow), MarkPresent);
    }
    if (step.result.saved) {
        // The category's destination file exists now, even if the save created it.
        const int index = m_cbSpecialFiles->findText(category(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) {
            m_cbSpecialFiles->setItemIcon(index, MarkIcons::icon(MarkPresent));
            m_cbSpecialFiles->setItemData(index, int(MarkPresent));
        }
    }
    if (step.nextRow) {
        selectRow(int(*step.nextRow));
        lvInfoEntriesClick();
    }
}

QString SpecialPage::category() const {
    return m_labelInfoCategory->text();
}

SpecialEntryFields SpecialPage::fields() const {
    SpecialEntryFields result;
    for (size_t index = 0; index < m_edits.size(); ++index) {
        result.texts[SpecialKeys::Company + index] = m_edits[index]->text();
    }
    for (size_t index = 0; index < m_memos.size(); ++index) {
        result.texts[SpecialKeys::Functionality + index] = m_memos[index]->toPlainText();
    }
    for (size_t index = 0; index < m_internal.size(); ++index) {
        result.texts[SpecialKeys::EditDate + index] = m_internal[index]->text();
    }
    return result;
}

void SpecialPage::showFields(const SpecialEntryFields& fields) {
    for (size_t index = 0; index < m_edits.size(); ++index) {
        m_edits[index]->setText(fields.texts[SpecialKeys::Company + index]);
        m_edits[index]->setCursorPosition(0);
    }
    for (size_t index = 0; index < m_memos.size(); ++index) {
        m_memos[index]->setPlainText(fields.texts[SpecialKeys::Functionality + index]);
    }
    for (size_t index = 0; index < m_internal.size(); ++index) {
        m_internal[index]->setText(fields.texts[SpecialKeys::EditDate + index]);
    }
}

int SpecialPage::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_lvInfoEntries->selectedItems();
    return selected.isEmpty() ? -1 : m_lvInfoEntries->indexOfTopLevelItem(selected.constFirst());
}

void SpecialPage::selectRow(int row) {
    QTreeWidgetItem* item = m_lvInfoEntries->topLevelItem(row);
    m_lvInfoEntries->setCurrentItem(item);
    m_lvInfoEntries->scrollToItem(item);
}

void SpecialPage::setRowMark(int row, RowMark mark) {
    QTreeWidgetItem* item = m_lvInfoEntries->topLevelItem(row);
    item->setIcon(0, MarkIcons::icon(mark));
    item->setData(0, RowMarkRole, int(mark));
}
