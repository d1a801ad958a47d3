#include "EditPage.h"

#include "CodePage.h"
#include "CompletionText.h"
#include "ComponentList.h"
#include "ElidedLabel.h"
#include "EntryCheck.h"
#include "EntrySaver.h"
#include "EntryTexts.h"
#include "MarkIcons.h"
#include "MessageTable.h"
#include "NextMissingEntry.h"
#include "NextUntranslated.h"
#include "ProjectSession.h"
#include "SectionListBuilder.h"
#include "SectionListModel.h"
#include "SelectedRowClick.h"
#include "ValueLabel.h"
#include "ValueListBuilder.h"
#include "ValueListDelegate.h"
#include "ValueListModel.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <optional>

namespace {

constexpr int kHintDuration = 60000;

QTreeView* makeList(QWidget* parent, const QString& name) {
    auto* view = new QTreeView(parent);
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setIconSize(QSize(16, 16));
    view->setAllColumnsShowFocus(true);
    view->header()->setSectionsMovable(false);
    view->header()->setStretchLastSection(true);
    // The models deliver their rows sorted; the view never re-sorts.
    view->setSortingEnabled(false);
    return view;
}

QLabel* makeValueLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(QStringLiteral("?"), parent);
    label->setObjectName(name);
    ValueLabel::style(label);
    label->setToolTipDuration(kHintDuration);
    label->setTextFormat(Qt::PlainText);
    // A long name is cut off (its hint shows it whole) rather than widening the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

// The next part of a splitter; the bar before it is the named splitter component, listed before
// the part as it stands before it.
void addAfterBar(ComponentList& components, QSplitter* splitter, QWidget* part, const QString& barName) {
    splitter->addWidget(part);
    QSplitterHandle* bar = splitter->handle(splitter->indexOf(part));
    bar->setObjectName(barName);
    components.add(bar);
    components.add(part);
}

} // namespace

EditPage::EditPage(const PageContext& context, QWidget* parent)
    : PageWidget(context, QStringLiteral("tsEdit"), parent) {
    buildControls();
    connectLists();
    m_sectionModel->setMessages(m_context.messages);
    m_valueModel->setMessages(m_context.messages);
    connect(m_memoLngEdit, &QPlainTextEdit::textChanged, this, &EditPage::updateCheck);
}

EditPage::~EditPage() = default;

EditingState& EditPage::state() {
    return m_context.session.editing();
}

const EditingState& EditPage::state() const {
    return m_context.session.editing();
}

// The splitters are the bars between the parts, each named as a control of the page; the
// QSplitter that holds them is layout only.
void EditPage::buildControls() {
    ComponentList& components = m_context.components;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* splitEdit = new QSplitter(Qt::Horizontal, this);
    splitEdit->setChildrenCollapsible(false);
    layout->addWidget(splitEdit);

    m_lvLanguageSections = components.add(makeList(splitEdit, QStringLiteral("lvLanguageSections")));
    m_sectionModel = new SectionListModel(this);
    m_lvLanguageSections->setModel(m_sectionModel);
    splitEdit->addWidget(m_lvLanguageSections);

    m_panelLngEditMain = new QWidget(splitEdit);
    m_panelLngEditMain->setObjectName(QStringLiteral("panelLngEditMain"));
    addAfterBar(components, splitEdit, m_panelLngEditMain, QStringLiteral("splitterEdit"));
    auto* mainLayout = new QVBoxLayout(m_panelLngEditMain);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitValues = new QSplitter(Qt::Vertical, m_panelLngEditMain);
    splitValues->setChildrenCollapsible(false);
    mainLayout->addWidget(splitValues);

    m_lvLanguageValues = components.add(makeList(splitValues, QStringLiteral("lvLanguageValues")));
    m_valueModel = new ValueListModel(this);
    m_lvLanguageValues->setModel(m_valueModel);
    m_lvLanguageValues->setItemDelegate(new ValueListDelegate(m_lvLanguageValues));
    m_lvLanguageValues->header()->resizeSection(0, 120);
    splitValues->addWidget(m_lvLanguageValues);

    auto* sourceFrame = new QFrame(splitValues);
    sourceFrame->setFrameShape(QFrame::StyledPanel);
    m_panelLngSource = sourceFrame;
    m_panelLngSource->setObjectName(QStringLiteral("panelLngSource"));
    addAfterBar(components, splitValues, m_panelLngSource, QStringLiteral("splitterValues"));
    auto* sourceLayout = new QVBoxLayout(m_panelLngSource);
    sourceLayout->setContentsMargins(4, 4, 4, 4);
    // A word longer than the panel (a flag's hex text) scrolls instead of widening the window.
    auto* sourceScroll = new QScrollArea(m_panelLngSource);
    sourceScroll->setFrameShape(QFrame::NoFrame);
    sourceScroll->setFocusPolicy(Qt::NoFocus);
    sourceScroll->setWidgetResizable(true);
    m_labelLngSource = components.add(new QLabel(sourceScroll));
    m_labelLngSource->setObjectName(QStringLiteral("labelLngSource"));
    m_labelLngSource->setWordWrap(true);
    m_labelLngSource->setTextFormat(Qt::PlainText);
    m_labelLngSource->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_labelLngSource->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sourceScroll->setWidget(m_labelLngSource);
    sourceScroll->viewport()->setAutoFillBackground(false);
    m_labelLngSource->setAutoFillBackground(false);
    sourceLayout->addWidget(sourceScroll);

    buildEditPanel(splitValues);
    splitValues->addWidget(m_panelLngEdit);

    splitEdit->setStretchFactor(0, 0);
    splitEdit->setStretchFactor(1, 1);
    splitEdit->setSizes({180, 420});
    splitValues->setStretchFactor(0, 3);
    splitValues->setStretchFactor(1, 1);
    splitValues->setStretchFactor(2, 2);
    // Room for a source text of two lines beside a list and an edit field that share the rest.
    splitValues->setSizes({190, 56, 150});
    buildStatusLine(this);
    layout->addWidget(m_labelLngStatus);
}

void EditPage::buildStatusLine(QWidget* parent) {
    m_labelLngStatus = m_context.components.add(new ElidedLabel(parent));
    m_labelLngStatus->setObjectName(QStringLiteral("labelLngStatus"));
    m_labelLngStatus->setTextFormat(Qt::PlainText);
    m_labelLngStatus->setFrameShape(QFrame::StyledPanel);
    m_labelLngStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void EditPage::buildEditPanel(QWidget* parent) {
    ComponentList& components = m_context.components;
    m_panelLngEdit = components.add(new QWidget(parent));
    m_panelLngEdit->setObjectName(QStringLiteral("panelLngEdit"));
    auto* editLayout = new QGridLayout(m_panelLngEdit);
    editLayout->setContentsMargins(4, 4, 4, 4);
    m_labelSectionCaption = components.add(new QLabel(QStringLiteral("Section:"), m_panelLngEdit));
    m_labelSectionCaption->setObjectName(QStringLiteral("labelSectionCaption"));
    m_labelValueCaption = components.add(new QLabel(QStringLiteral("Value:"), m_panelLngEdit));
    m_labelValueCaption->setObjectName(QStringLiteral("labelValueCaption"));
    m_labelLanguageSection = components.add(makeValueLabel(m_panelLngEdit, QStringLiteral("labelLanguageSection")));
    m_labelLanguageValue = components.add(makeValueLabel(m_panelLngEdit, QStringLiteral("labelLanguageValue")));
    m_bnSaveLanguageEntry = components.add(new QToolButton(m_panelLngEdit));
    m_bnSaveLanguageEntry->setObjectName(QStringLiteral("bnSaveLanguageEntry"));
    m_bnSaveLanguageEntry->setAutoRaise(true);
    m_bnSaveLanguageEntry->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_bnSaveLanguageEntry->setIcon(MarkIcons::saveGlyph());
    m_bnSaveLanguageEntry->setText(QStringLiteral("F2"));
    m_memoLngEdit = components.add(new QPlainTextEdit(m_panelLngEdit));
    m_memoLngEdit->setObjectName(QStringLiteral("memoLngEdit"));
    m_memoLngEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memoLngEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memoLngEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memoLngEdit->setToolTipDuration(kHintDuration);
    m_memoLngEdit->setTabChangesFocus(true);
    m_bnNextUntranslatedEntry = components.add(new QToolButton(m_panelLngEdit));
    m_bnNextUntranslatedEntry->setObjectName(QStringLiteral("bnNextUntranslatedEntry"));
    m_bnNextUntranslatedEntry->setAutoRaise(true);
    m_bnNextUntranslatedEntry->setText(QStringLiteral("Next untranslated"));
    // F4 reaches it; Tab keeps to the designed controls of the page.
    m_bnNextUntranslatedEntry->setFocusPolicy(Qt::NoFocus);
    m_imageLngCheck = components.add(new QLabel(m_panelLngEdit));
    m_imageLngCheck->setObjectName(QStringLiteral("imageLngCheck"));
    m_imageLngCheck->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    m_imageLngCheck->setFixedSize(16, 16);
    // The row keeps its height, so the edit field does not jump as the warning comes and goes.
    QSizePolicy keepSpace = m_imageLngCheck->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    m_imageLngCheck->setSizePolicy(keepSpace);
    m_imageLngCheck->hide();
    m_labelLngCheck = components.add(new QLabel(m_panelLngEdit));
    m_labelLngCheck->setObjectName(QStringLiteral("labelLngCheck"));
    m_labelLngCheck->setTextFormat(Qt::PlainText);
    m_labelLngCheck->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_labelLngCheck->setToolTipDuration(kHintDuration);
    editLayout->addWidget(m_labelSectionCaption, 0, 0);
    editLayout->addWidget(m_labelLanguageSection, 0, 1);
    editLayout->addWidget(m_bnNextUntranslatedEntry, 0, 2, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    editLayout->addWidget(m_bnSaveLanguageEntry, 0, 3, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    editLayout->addWidget(m_labelValueCaption, 1, 0);
    editLayout->addWidget(m_labelLanguageValue, 1, 1);
    editLayout->addWidget(m_memoLngEdit, 2, 0, 1, 4);
    editLayout->addWidget(m_imageLngCheck, 3, 0, Qt::AlignRight | Qt::AlignVCenter);
    editLayout->addWidget(m_labelLngCheck, 3, 1, 1, 3);
    editLayout->setColumnStretch(1, 1);
    editLayout->setRowStretch(2, 1);
}

void EditPage::connectLists() {
    const QList<QPair<QTreeView*, void (EditPage::*)()>> lists = {
        {m_lvLanguageSections, &EditPage::lvLanguageSectionsClick},
        {m_lvLanguageValues, &EditPage::lvLanguageValuesClick}};
    for (const auto& [view, click] : lists) {
        const auto run = handler(click);
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, run] {
            if (!m_selectingByProgram) {
                run();
            }
        });
        // A click on the row already selected changes no selection, yet reloads what it shows.
        connect(new SelectedRowClick(*view), &SelectedRowClick::clicked, this, run);
    }
    // Choosing an entry (a click, or Enter) sends the keys to its text; browsing with the arrows does not.
    for (const auto signal : {&QAbstractItemView::clicked, &QAbstractItemView::activated}) {
        connect(m_lvLanguageValues, signal, this, &EditPage::focusEditField);
    }
}

void EditPage::focusEditField() {
    if (m_memoLngEdit->isVisible()) {
        m_memoLngEdit->setFocus(Qt::OtherFocusReason);
    }
}

void EditPage::setSaveAction(QAction* action) {
    if (action && action->icon().isNull()) {
        action->setIcon(MarkIcons::saveGlyph());
    }
    m_bnSaveLanguageEntry->setDefaultAction(action);
}

void EditPage::setNextUntranslatedAction(QAction* action) {
    if (action) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    m_bnNextUntranslatedEntry->setDefaultAction(action);
}

void EditPage::setEditPopupMenu(QMenu* menu) {
    // The menu's shortcuts (Ctrl+F) work while the focus is anywhere on the page.
    if (m_editMenu) {
        for (QAction* action : m_editMenu->actions()) {
            removeAction(action);
        }
    }
    m_editMenu = menu;
    if (menu) {
        addActions(menu->actions());
    }
    const QList<QWidget*> targets = {m_lvLanguageSections, m_lvLanguageValues, m_labelLngSource, m_memoLngEdit};
    for (QWidget* target : targets) {
        target->setContextMenuPolicy(menu ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
        disconnect(target, &QWidget::customContextMenuRequested, this, nullptr);
        if (menu) {
            connect(target, &QWidget::customContextMenuRequested, this,
                    [target, menu](const QPoint& pos) { menu->popup(target->mapToGlobal(pos)); });
        }
    }
}

QStringList EditPage::languageFiles() const {
    return {state().path(EditingState::Reference), state().path(EditingState::Source),
            state().path(EditingState::Destination)};
}

QList<int> EditPage::codePages() const {
    return {state().codePage(EditingState::Reference), state().codePage(EditingState::Source),
            state().codePage(EditingState::Destination)};
}

QString EditPage::destinationText(const QByteArray& bytes) const {
    return CodePage::decode(bytes, state().codePage(EditingState::Destination));
}

bool EditPage::bnEditLng(const EditRequest& request) {
    if (!request.isComplete()) {
        return false;
    }
    bool loaded = false;
    m_context.guard.run([this, &request, &loaded] {
        state().load(request);
        loaded = true;
    });
    if (!loaded) {
        return false;
    }
    state().currentSection.clear();
    BuildSectionList();
    {
        const QScopedValueRollback<bool> byProgram(m_selectingByProgram, true);
        m_valueModel->clear();
    }
    m_labelLngSource->clear();
    m_labelLanguageSection->setText(QStringLiteral("?"));
    m_labelLanguageValue->setText(QStringLiteral("?"));
    m_checkOriginal.clear();
    m_memoLngEdit->clear();
    updateStatusLine();
    return true;
}

void EditPage::BuildSectionList() {
    const QScopedValueRollback<bool> byProgram(m_selectingByProgram, true);
    if (!state().hasDocuments()) {
        m_sectionModel->clear();
    } else {
        m_listsReading = state().destinationReadings();
        m_sectionModel->setRows(SectionListBuilder::build(*state().document(EditingState::Reference),
                                                          *state().document(EditingState::Source),
                                                          *state().document(EditingState::Destination), codePages()),
                                state().codePage(EditingState::Destination));
    }
}

void EditPage::BuildValueList() {
    const QScopedValueRollback<bool> byProgram(m_selectingByProgram, true);
    if (!state().hasDocuments() || state().currentSection.isEmpty()) {
        m_valueModel->clear();
    } else {
        const QList<int> pages = codePages();
        m_valueModel->setRows(
            ValueListBuilder::build(*state().document(EditingState::Reference), *state().document(EditingState::Source),
                                    *state().document(EditingState::Destination), state().currentSection, pages),
            {pages[0], pages[1], pages[2]});
    }
}

void EditPage::lvLanguageSectionsClick() {
    const int row = selectedRow(m_lvLanguageSections);
    state().currentSection = row < 0 ? QByteArray() : m_sectionModel->row(row).name;
    // The key belongs to the section left behind; F2 must not write it into this one.
    state().currentKey.clear();
    const QString section = destinationText(state().currentSection);
    m_labelLanguageSection->setText(section);
    m_labelLanguageSection->setToolTip(section);
    m_labelLanguageValue->clear();
    m_labelLanguageValue->setToolTip(QString());
    m_memoLngEdit->clear();
    BuildValueList();
    if (m_valueModel->rowCount() > 0) {
        selectRow(m_lvLanguageValues, 0);
        lvLanguageValuesClick();
    }
    updateStatusLine();
}

void EditPage::lvLanguageValuesClick() {
    state().currentKey.clear();
    m_memoLngEdit->clear();
    const int row = selectedRow(m_lvLanguageValues);
    if (row >= 0) {
        const ValueRow& entry = m_valueModel->row(row);
        state().currentKey = entry.key;
        const EntryTexts texts = EntryTexts::of(state(), entry.key, entry.shown, entry.mark);
        m_checkOriginal = texts.sourceLabel;
        m_memoLngEdit->setPlainText(texts.edit);
        // Typing replaces the pre-filled text.
        m_memoLngEdit->selectAll();
        m_memoLngEdit->setToolTip(texts.hint);
        m_labelLngSource->setText(texts.sourceLabel);
    }
    const QString key = destinationText(state().currentKey);
    m_labelLanguageValue->setText(key);
    m_labelLanguageValue->setToolTip(key);
}

void EditPage::aSaveLanguageEntryExecute() {
    // The raw text: toPlainText() would turn every no-break space into a plain one.
    const EntrySaver::Result result = EntrySaver::save(state(), m_memoLngEdit->document()->toRawText());
    if (!result.error.isEmpty()) {
        // Nothing reached the file: the list and the selection stay where they are; a failed
        // write keeps the entry in the document for the next save.
        m_context.guard.showError(result.error);
        return;
    }
    if (result.saved && !refreshLists()) {
        const int row = m_valueModel->findKey(state().currentKey);
        if (row >= 0) {
            m_valueModel->markSaved(row, result.stored);
        }
        recountCurrentSection();
    }
    SelectNextMissingEntry();
}

bool EditPage::refreshLists() {
    if (!state().hasDocuments() || m_listsReading == state().destinationReadings()) {
        return false;
    }
    BuildSectionList();
    const int section = m_sectionModel->findName(state().currentSection);
    if (section >= 0) {
        selectRow(m_lvLanguageSections, section);
    }
    BuildValueList();
    const int entry = m_valueModel->findKey(state().currentKey);
    if (entry >= 0) {
        selectRow(m_lvLanguageValues, entry);
    }
    updateStatusLine();
    return true;
}

void EditPage::aNextUntranslatedEntryExecute() {
    const int section = m_sectionModel->findName(state().currentSection);
    std::optional<NextUntranslated::Place> next;
    if (state().hasDocuments()) {
        QList<QByteArray> names;
        for (int row = 0; row < m_sectionModel->rowCount(); ++row) {
            names.append(m_sectionModel->row(row).name);
        }
        const int entry = section >= 0 ? selectedRow(m_lvLanguageValues) : -1;
        next =
            NextUntranslated::find(*state().document(EditingState::Reference), *state().document(EditingState::Source),
                                   *state().document(EditingState::Destination), names, {section, entry}, codePages());
    }
    if (!next) {
        const QString none = m_context.messages(MessageTable::NoUntranslatedEntry);
        m_labelLngStatus->setText(none);
        m_labelLngStatus->setToolTip(none);
        return;
    }
    if (next->section != section) {
        selectRow(m_lvLanguageSections, next->section);
        lvLanguageSectionsClick();
    }
    selectRow(m_lvLanguageValues, next->row);
    lvLanguageValuesClick();
    focusEditField();
}

void EditPage::updateCheck() {
    QList<EntryCheck::Problem> problems;
    if (!state().currentKey.isEmpty() && !m_checkOriginal.isEmpty()) {
        problems = EntryCheck::problems(m_memoLngEdit->document()->toRawText(), m_checkOriginal);
    }
    const QString reasons = EntryCheck::reasons(problems, m_context.messages);
    m_imageLngCheck->setVisible(!problems.isEmpty());
    m_labelLngCheck->setText(reasons);
    m_labelLngCheck->setToolTip(reasons);
}

void EditPage::recountCurrentSection() {
    const int row = m_sectionModel->findName(state().currentSection);
    if (row >= 0 && state().hasDocuments()) {
        m_sectionModel->setCompletion(row, Completion::ofSection(*state().document(EditingState::Reference),
                                                                 *state().document(EditingState::Source),
                                                                 *state().document(EditingState::Destination),
                                                                 m_sectionModel->row(row).name));
    }
    updateStatusLine();
}

void EditPage::updateStatusLine() {
    if (!state().hasDocuments()) {
        m_labelLngStatus->clear();
        m_labelLngStatus->setToolTip(QString());
        return;
    }
    QString text = CompletionText::file(m_sectionModel->completion(), m_context.messages);
    const int row = m_sectionModel->findName(state().currentSection);
    if (row >= 0 && !state().currentSection.isEmpty()) {
        const SectionRow& section = m_sectionModel->row(row);
        text += QLatin1String("    ") +
                CompletionText::section(destinationText(section.name), section.completion, m_context.messages);
    }
    m_labelLngStatus->setText(text);
    // A narrow window cuts the line off; its tip shows it whole.
    m_labelLngStatus->setToolTip(text);
}

void EditPage::SelectNextMissingEntry() {
    const NextMissingEntry next = NextMissingEntry::find(selectedRow(m_lvLanguageValues), m_valueModel->rowCount(),
                                                         [this](int row) { return m_valueModel->row(row).mark; });
    if (next.row < 0) {
        return;
    }
    selectRow(m_lvLanguageValues, next.row);
    if (next.missing) {
        lvLanguageValuesClick();
        focusEditField();
    }
}

bool EditPage::selectSection(const QByteArray& name) {
    const int row = m_sectionModel->findName(name);
    if (row >= 0) {
        selectRow(m_lvLanguageSections, row);
    }
    return row >= 0;
}

bool EditPage::selectValue(const QByteArray& key) {
    const int row = m_valueModel->findKey(key);
    if (row >= 0) {
        selectRow(m_lvLanguageValues, row);
    }
    return row >= 0;
}

void EditPage::openEntry(const QByteArray& section, const QByteArray& key) {
    if (!selectSection(section)) {
        return;
    }
    lvLanguageSectionsClick();
    if (selectValue(key)) {
        lvLanguageValuesClick();
    }
}

void EditPage::selectRow(QTreeView* view, int row) {
    const QScopedValueRollback<bool> byProgram(m_selectingByProgram, true);
    const QModelIndex index = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
}

int EditPage::selectedRow(const QTreeView* view) const {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
