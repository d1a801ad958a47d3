#include "TformSearch.h"

#include "CodePage.h"
#include "EditingState.h"
#include "HandlerGuard.h"
#include "WindowRegistry.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumnWidth = 100;
constexpr int kRowIndexRole = Qt::UserRole;

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TformSearch::TformSearch(QWidget* parent) : QWidget(parent, Qt::Window), m_components(*this) {
    setObjectName(QStringLiteral("formSearch"));
    setWindowTitle(QStringLiteral("Search results"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    WindowRegistry::application().add(m_components);
    buildControls();
    resize(420, 300);
}

TformSearch::~TformSearch() {
    WindowRegistry::application().remove(m_components);
}

void TformSearch::setEditing(const EditingState& editing, const HandlerGuard& guard) {
    m_editing = &editing;
    m_guard = &guard;
}

// Components are listed in design order: the page control with its pages and their controls,
// then the status bar and the OK button.
void TformSearch::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pcSearch = m_components.add(named(new QTabWidget(this), "pcSearch"));
    m_pcSearch->addTab(buildSearchTerms(), QStringLiteral("Search terms"));
    m_pcSearch->addTab(buildResults(), QStringLiteral("Results"));

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(6, 6, 6, 6);
    m_sbar = m_components.add(named(new QStatusBar(this), "sbar"));
    m_sbar->setSizeGripEnabled(false);
    m_bnOK = m_components.add(named(new QPushButton(QStringLiteral("OK"), this), "bnOK"));
    bottom->addStretch(1);
    bottom->addWidget(m_bnOK);

    layout->addWidget(m_pcSearch, 1);
    layout->addLayout(bottom);
    layout->addWidget(m_sbar);

    const auto run = [this](void (TformSearch::*handler)()) {
        return [this, handler] {
            if (m_guard) {
                m_guard->run([this, handler] { (this->*handler)(); });
            } else {
                (this->*handler)();
            }
        };
    };
    connect(m_bnStartSearch, &QPushButton::clicked, this, run(&TformSearch::bnStartSearchClick));
    connect(m_eSearchTerm, &QLineEdit::returnPressed, this, run(&TformSearch::bnStartSearchClick));
    connect(m_lvResults, &QTreeWidget::itemDoubleClicked, this, run(&TformSearch::lvResultsDblClick));
    connect(m_bnOK, &QPushButton::clicked, this, run(&TformSearch::bnOKClick));
}

QWidget* TformSearch::buildSearchTerms() {
    m_tsSearchTerms = m_components.add(named(new QWidget(m_pcSearch), "tsSearchTerms"));
    auto* layout = new QVBoxLayout(m_tsSearchTerms);
    m_labelSearchTerm =
        m_components.add(named(new QLabel(QStringLiteral("Search term:"), m_tsSearchTerms), "labelSearchTerm"));
    m_eSearchTerm = m_components.add(named(new QLineEdit(m_tsSearchTerms), "eSearchTerm"));
    m_labelSearchTerm->setBuddy(m_eSearchTerm);
    layout->addWidget(m_labelSearchTerm);
    layout->addWidget(m_eSearchTerm);
    const auto checkBox = [this, layout](const char* name, const char* caption) {
        auto* box = m_components.add(named(new QCheckBox(QString::fromLatin1(caption), m_tsSearchTerms), name));
        box->setChecked(true);
        layout->addWidget(box);
        return box;
    };
    m_cbSearchReference = checkBox("cbSearchReference", "Search reference language file");
    m_cbSearchSource = checkBox("cbSearchSource", "Search source language file");
    m_cbSearchDestination = checkBox("cbSearchDestination", "Search destination language file");
    m_bnStartSearch =
        m_components.add(named(new QPushButton(QStringLiteral("&Search"), m_tsSearchTerms), "bnStartSearch"));
    layout->addWidget(m_bnStartSearch, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return m_tsSearchTerms;
}

QWidget* TformSearch::buildResults() {
    m_tsResults = m_components.add(named(new QWidget(m_pcSearch), "tsResults"));
    auto* layout = new QVBoxLayout(m_tsResults);
    layout->setContentsMargins(0, 0, 0, 0);
    m_lvResults = m_components.add(named(new QTreeWidget(m_tsResults), "lvResults"));
    m_lvResults->setHeaderLabels({QStringLiteral("Section"), QStringLiteral("Value"), QStringLiteral("Data")});
    for (int column = 0; column < 3; ++column) {
        m_lvResults->header()->resizeSection(column, kColumnWidth);
    }
    m_lvResults->setRootIsDecorated(false);
    m_lvResults->setUniformRowHeights(true);
    m_lvResults->setAllColumnsShowFocus(true);
    m_lvResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvResults->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_lvResults);
    return m_tsResults;
}

void TformSearch::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TformSearch::FormShow() {
    m_pcSearch->setCurrentWidget(m_tsSearchTerms);
    m_eSearchTerm->setFocus();
}

void TformSearch::bnStartSearchClick() {
    m_pcSearch->setCurrentWidget(m_tsResults);
    m_lvResults->clear();
    m_result = {};
    if (!m_editing) {
        m_sbar->showMessage(QStringLiteral("Search finished"));
        return;
    }
    LanguageSearch::Request request = LanguageSearch::Request::forState(*m_editing, m_eSearchTerm->text());
    request.searched[EditingState::Reference] = m_cbSearchReference->isChecked();
    request.searched[EditingState::Source] = m_cbSearchSource->isChecked();
    request.searched[EditingState::Destination] = m_cbSearchDestination->isChecked();
    // The window does not repaint while the search runs, so only the last header it passed is
    // worth showing: it is what stays when a file error stops the search.
    QString lastHeader;
    m_result = LanguageSearch::search(request, [&](EditingState::Role file, QByteArrayView headerLine) {
        lastHeader = LanguageSearch::label(file) + QStringLiteral(": ") +
                     CodePage::decode(headerLine.toByteArray(), request.codePages[file]);
    });
    showRows();
    if (!m_result.finished()) {
        m_sbar->showMessage(lastHeader);
        m_guard->showError(m_result.error);
        return;
    }
    m_sbar->showMessage(QStringLiteral("Search finished"));
}

void TformSearch::showRows() {
    QList<QTreeWidgetItem*> items;
    items.reserve(m_result.rows.size());
    for (int index = 0; index < m_result.rows.size(); ++index) {
        const LanguageSearch::Row& row = m_result.rows.at(index);
        const auto text = [&row](QByteArrayView bytes) { return CodePage::decode(bytes.toByteArray(), row.codePage); };
        auto* item = new QTreeWidgetItem({text(row.hit.section), text(row.hit.key), text(row.hit.data)});
        item->setData(0, kRowIndexRole, index);
        items.append(item);
    }
    m_lvResults->addTopLevelItems(items);
    m_lvResults->sortItems(0, Qt::AscendingOrder);
}

void TformSearch::lvResultsDblClick() {
    const QList<QTreeWidgetItem*> selected = m_lvResults->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const LanguageSearch::Hit& hit = m_result.rows.at(selected.first()->data(0, kRowIndexRole).toInt()).hit;
    emit entryChosen(hit.section.toByteArray(), hit.key.toByteArray());
}

void TformSearch::bnOKClick() {
    close();
}
