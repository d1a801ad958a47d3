#include "EditPage.h"

#include "CodePage.h"
#include "EntrySaver.h"
#include "EntryTexts.h"
#include "FileError.h"
#include "NextMissingEntry.h"
#include "SectionListBuilder.h"
#include "SectionListModel.h"
#include "ValueListBuilder.h"
#include "ValueListDelegate.h"
#include "ValueListModel.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int kHintDuration = 60000;
const QColor kNavy(0, 0, 0x80);

// A diskette: the glyph of the save button.
QIcon saveGlyph() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(QRect(1, 1, 14, 14), QColor(0x28, 0x48, 0x98));
    painter.fillRect(QRect(4, 1, 8, 5), Qt::white);
    painter.fillRect(QRect(9, 2, 2, 3), QColor(0x28, 0x48, 0x98));
    painter.fillRect(QRect(3, 9, 10, 6), QColor(0xE8, 0xE8, 0xE8));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(4, 11, 11, 11);
    painter.drawLine(4, 13, 11, 13);
    painter.setPen(QColor(0x10, 0x20, 0x50));
    painter.drawRect(QRect(0, 0, 15, 15));
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

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
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kNavy);
    label->setPalette(palette);
    label->setToolTipDuration(kHintDuration);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

EditPage::EditPage(QWidget* parent) : QWidget(parent) {
    buildControls();
    connectLists();
}

EditPage::~EditPage() = default;

void EditPage::buildControls() {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_splitterEdit = new QSplitter(Qt::Horizontal, this);
    m_splitterEdit->setObjectName(QStringLiteral("splitterEdit"));
    m_splitterEdit->setChildrenCollapsible(false);
    layout->addWidget(m_splitterEdit);

    m_lvLanguageSections = makeList(m_splitterEdit, QStringLiteral("lvLanguageSections"));
    m_sectionModel = new SectionListModel(this);
    m_lvLanguageSections->setModel(m_sectionModel);
    m_splitterEdit->addWidget(m_lvLanguageSections);

    m_splitterValues = new QSplitter(Qt::Vertical, m_splitterEdit);
    m_splitterValues->setObjectName(QStringLiteral("splitterValues"));
    m_splitterValues->setChildrenCollapsible(false);
    m_splitterEdit->addWidget(m_splitterValues);

    m_lvLanguageValues = makeList(m_splitterValues, QStringLiteral("lvLanguageValues"));
    m_valueModel = new ValueListModel(this);
    m_lvLanguageValues->setModel(m_valueModel);
    m_lvLanguageValues->setItemDelegate(new ValueListDelegate(m_lvLanguageValues));
    m_lvLanguageValues->header()->resizeSection(0, 120);
    m_splitterValues->addWidget(m_lvLanguageValues);

    auto* sourceFrame = new QFrame(m_splitterValues);
    sourceFrame->setFrameShape(QFrame::StyledPanel);
    m_panelLngSource = sourceFrame;
    m_panelLngSource->setObjectName(QStringLiteral("panelLngSource"));
    auto* sourceLayout = new QVBoxLayout(m_panelLngSource);
    sourceLayout->setContentsMargins(4, 4, 4, 4);
    m_labelLngSource = new QLabel(m_panelLngSource);
    m_labelLngSource->setObjectName(QStringLiteral("labelLngSource"));
    m_labelLngSource->setWordWrap(true);
    m_labelLngSource->setTextFormat(Qt::PlainText);
    m_labelLngSource->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_labelLngSource->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sourceLayout->addWidget(m_labelLngSource);
    m_splitterValues->addWidget(m_panelLngSource);

    m_panelLngEdit = new QWidget(m_splitterValues);
    m_panelLngEdit->setObjectName(QStringLiteral("panelLngEdit"));
    auto* editLayout = new QGridLayout(m_panelLngEdit);
    editLayout->setContentsMargins(4, 4, 4, 4);
    m_labelSectionCaption = new QLabel(QStringLiteral("Section:"), m_panelLngEdit);
    m_labelSectionCaption->setObjectName(QStringLiteral("labelSectionCaption"));
    m_labelValueCaption = new QLabel(QStringLiteral("Value:"), m_panelLngEdit);
    m_labelValueCaption->setObjectName(QStringLiteral("labelValueCaption"));
    m_labelLanguageSection = makeValueLabel(m_panelLngEdit, QStringLiteral("labelLanguageSection"));
    m_labelLanguageValue = makeValueLabel(m_panelLngEdit, QStringLiteral("labelLanguageValue"));
    m_bnSaveLanguageEntry = new QToolButton(m_panelLngEdit);
    m_bnSaveLanguageEntry->setObjectName(QStringLiteral("bnSaveLanguageEntry"));
    m_bnSaveLanguageEntry->setAutoRaise(true);
    m_bnSaveLanguageEntry->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_bnSaveLanguageEntry->setIcon(saveGlyph());
    m_bnSaveLanguageEntry->setText(QStringLiteral("F2"));
    m_memoLngEdit = new QPlainTextEdit(m_panelLngEdit);
    m_memoLngEdit->setObjectName(QStringLiteral("memoLngEdit"));
    m_memoLngEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memoLngEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memoLngEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memoLngEdit->setToolTipDuration(kHintDuration);
    m_memoLngEdit->setTabChangesFocus(true);
    editLayout->addWidget(m_labelSectionCaption, 0, 0);
    editLayout->addWidget(m_labelLanguageSection, 0, 1);
    editLayout->addWidget(m_bnSaveLanguageEntry, 0, 2, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    editLayout->addWidget(m_labelValueCaption, 1, 0);
    editLayout->addWidget(m_labelLanguageValue, 1, 1);
    editLayout->addWidget(m_memoLngEdit, 2, 0, 1, 3);
    editLayout->setColumnStretch(1, 1);
    editLayout->setRowStretch(2, 1);
    m_splitterValues->addWidget(m_panelLngEdit);

    m_splitterEdit->setStretchFactor(0, 0);
    m_splitterEdit->setStretchFactor(1, 1);
    m_splitterEdit->setSizes({180, 420});
    m_splitterValues->setStretchFactor(0, 3);
    m_splitterValues->setStretchFactor(1, 1);
    m_splitterValues->setStretchFactor(2, 2);
    // Room for a source text of two lines beside a list and an edit field that share the rest.
    m_splitterValues->setSizes({190, 56, 150});
}

void EditPage::connectLists() {
    connect(m_lvLanguageSections->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_selecting) {
            lvLanguageSectionsClick();
        }
    });
    connect(m_lvLanguageValues->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!m_selecting) {
            lvLanguageValuesClick();
        }
    });
    // A click on the row already selected changes no selection, yet reloads what it shows.
    connect(m_lvLanguageSections, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        listPressed(m_lvLanguageSections, index, &EditPage::lvLanguageSectionsClick);
    });
    connect(m_lvLanguageValues, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        listPressed(m_lvLanguageValues, index, &EditPage::lvLanguageValuesClick);
    });
    m_lvLanguageSections->viewport()->installEventFilter(this);
    m_lvLanguageValues->viewport()->installEventFilter(this);
}

bool EditPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        m_pressedList = nullptr;
        for (QTreeView* view : {m_lvLanguageSections, m_lvLanguageValues}) {
            if (watched == view->viewport() && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                m_pressedList = view;
                m_rowBeforePress = selectedRow(view);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void EditPage::listPressed(QTreeView* view, const QModelIndex& index, void (EditPage::*click)()) {
    const bool reclicked = m_pressedList == view && index.row() == m_rowBeforePress && selectedRow(view) == index.row();
    m_pressedList = nullptr;
    if (reclicked) {
        (this->*click)();
    }
}

void EditPage::setSaveAction(QAction* action) {
    if (action && action->icon().isNull()) {
        action->setIcon(saveGlyph());
    }
    m_bnSaveLanguageEntry->setDefaultAction(action);
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

void EditPage::setErrorHandler(std::function<void(const QString&)> showError) {
    m_showError = std::move(showError);
}

QList<QObject*> EditPage::components() const {
    return {m_lvLanguageSections, m_splitterEdit,         m_splitterValues,     m_lvLanguageValues,
            m_panelLngSource,     m_labelLngSource,       m_panelLngEdit,       m_labelSectionCaption,
            m_labelValueCaption,  m_labelLanguageSection, m_labelLanguageValue, m_bnSaveLanguageEntry,
            m_memoLngEdit};
}

QStringList EditPage::languageFiles() const {
    return {m_state.path(EditingState::Reference), m_state.path(EditingState::Source),
            m_state.path(EditingState::Destination)};
}

void EditPage::reportError(const QString& message) {
    if (m_showError) {
        m_showError(message);
    }
}

QList<int> EditPage::codePages() const {
    return {m_state.codePage(EditingState::Reference), m_state.codePage(EditingState::Source),
            m_state.codePage(EditingState::Destination)};
}

QString EditPage::destinationText(const QByteArray& bytes) const {
    return CodePage::decode(bytes, m_state.codePage(EditingState::Destination));
}

bool EditPage::bnEditLng(const EditRequest& request) {
    if (!request.isComplete()) {
        return false;
    }
    try {
        m_state.load(request);
    } catch (const FileError& error) {
        reportError(error.message());
        return false;
    }
    m_state.currentSection.clear();
    BuildSectionList();
    m_selecting = true;
    m_valueModel->clear();
    m_selecting = false;
    m_labelLngSource->clear();
    m_labelLanguageSection->setText(QStringLiteral("?"));
    m_labelLanguageValue->setText(QStringLiteral("?"));
    m_memoLngEdit->clear();
    return true;
}

void EditPage::BuildSectionList() {
    m_selecting = true;
    if (!m_state.hasDocuments()) {
        m_sectionModel->clear();
    } else {
        m_sectionModel->setRows(SectionListBuilder::build(*m_state.document(EditingState::Reference),
                                                          *m_state.document(EditingState::Source),
                                                          *m_state.document(EditingState::Destination), codePages()),
                                m_state.codePage(EditingState::Destination));
    }
    m_selecting = false;
}

void EditPage::BuildValueList() {
    m_selecting = true;
    if (!m_state.hasDocuments() || m_state.currentSection.isEmpty()) {
        m_valueModel->clear();
    } else {
        const QList<int> pages = codePages();
        m_valueModel->setRows(
            ValueListBuilder::build(*m_state.document(EditingState::Reference), *m_state.document(EditingState::Source),
                                    *m_state.document(EditingState::Destination), m_state.currentSection, pages),
            {pages[0], pages[1], pages[2]});
    }
    m_selecting = false;
}

void EditPage::lvLanguageSectionsClick() {
    const int row = selectedRow(m_lvLanguageSections);
    m_state.currentSection = row < 0 ? QByteArray() : m_sectionModel->row(row).name;
    // The key belongs to the section left behind; F2 must not write it into this one.
    m_state.currentKey.clear();
    const QString section = destinationText(m_state.currentSection);
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
}

void EditPage::lvLanguageValuesClick() {
    m_state.currentKey.clear();
    m_memoLngEdit->clear();
    const int row = selectedRow(m_lvLanguageValues);
    if (row >= 0) {
        const ValueRow& entry = m_valueModel->row(row);
        m_state.currentKey = entry.key;
        const EntryTexts texts = EntryTexts::of(m_state, entry.key, entry.shown, entry.image);
        m_memoLngEdit->setPlainText(texts.edit);
        m_memoLngEdit->setToolTip(texts.hint);
        m_labelLngSource->setText(texts.sourceLabel);
    }
    const QString key = destinationText(m_state.currentKey);
    m_labelLanguageValue->setText(key);
    m_labelLanguageValue->setToolTip(key);
}

void EditPage::aSaveLanguageEntryExecute() {
    // The raw text: toPlainText() would turn every no-break space into a plain one.
    const EntrySaver::Result result = EntrySaver::save(m_state, m_memoLngEdit->document()->toRawText());
    if (!result.error.isEmpty()) {
        // Nothing reached the file: the list and the selection stay where they are; a failed
        // write keeps the entry in the document for the next save.
        reportError(result.error);
        return;
    }
    if (result.saved) {
        const int row = m_valueModel->findKey(m_state.currentKey);
        if (row >= 0) {
            m_valueModel->markSaved(row, result.stored);
        }
    }
    SelectNextMissingEntry();
}

void EditPage::SelectNextMissingEntry() {
    const NextMissingEntry next = NextMissingEntry::find(selectedRow(m_lvLanguageValues), m_valueModel->rowCount(),
                                                         [this](int row) { return m_valueModel->row(row).image; });
    if (next.row < 0) {
        return;
    }
    selectRow(m_lvLanguageValues, next.row);
    if (next.missing) {
        lvLanguageValuesClick();
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

void EditPage::selectRow(QTreeView* view, int row) {
    m_selecting = true;
    const QModelIndex index = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(index);
    m_selecting = false;
}

int EditPage::selectedRow(const QTreeView* view) const {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
