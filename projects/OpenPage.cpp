#include "OpenPage.h"

#include "ComponentList.h"
#include "Dialogs.h"
#include "FolderPath.h"
#include "ImageList.h"
#include "MessageTable.h"
#include "NameCollation.h"
#include "ProgressBarLender.h"
#include "ProjectListWidget.h"
#include "ProjectNameCheck.h"
#include "ProjectSession.h"
#include "ProjectStore.h"
#include "SelectedRowClick.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyle>

namespace {

constexpr int panelWidth = 145;
constexpr int labelLeft = 160;
constexpr int fieldLeft = 272;
constexpr int fieldRightMargin = 11;
constexpr int fieldHeight = 21;
constexpr int languageBoxWidth = 321;
constexpr int buttonWidth = 151;
constexpr int buttonHeight = 25;
constexpr int infoTop = 264;
constexpr int infoRightMargin = 8;
constexpr int infoBottomMargin = 20;
constexpr int progressHeight = 17;

} // namespace

const QString OpenPage::infoText = QStringLiteral(
    "Some basic information about this new Tolvane release: translations can be done based on three files now. The "
    "'Destination' field is to select the language into which the translation should be made. The 'Source' field "
    "describes the language that should be used as a resource for the translation. Where the source language has "
    "not yet been updated, the 'Reference' field comes into play. It should link to the file containing every "
    "available texts (in my case, it's currently always English). The 'Edit special' button is available and "
    "necessary for Wardlock only currently.");

OpenPage::OpenPage(const PageContext& context, QWidget* parent)
    : PageWidget(context, QStringLiteral("tsOpen"), parent) {
    resize(601, 381);
    createControls();
    connectHandlers();
    layoutControls();
}

QLabel* OpenPage::addLabel(const QString& name, const QString& caption, int x, int y) {
    auto* label = m_context.components.add(new QLabel(caption, this));
    label->setObjectName(name);
    place(label, QRect(x, y, fieldLeft - x - 4, fieldHeight));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit* OpenPage::addEdit(const QString& name, int y) {
    auto* edit = m_context.components.add(new QLineEdit(this));
    edit->setObjectName(name);
    place(edit, QRect(QPoint(fieldLeft, y), edit->size()));
    return edit;
}

QComboBox* OpenPage::addLanguageBox(const QString& name, const QString& hint, int y) {
    auto* box = m_context.components.add(new QComboBox(this));
    box->setObjectName(name);
    box->setEditable(false);
    // A combo box with images: it shows the flags of ilFlags16 and has no list texts to translate.
    box->setProperty("images", QStringLiteral("ilFlags16"));
    box->setIconSize(QSize(16, 16));
    box->setMaxVisibleItems(12);
    box->setToolTip(hint);
    // The flags can make a box taller than the fields beside it.
    place(box, QRect(fieldLeft, y, languageBoxWidth, qMax(fieldHeight, box->minimumSizeHint().height())));
    return box;
}

QPushButton* OpenPage::addButton(const QString& name, const QString& caption, int x, int y) {
    auto* button = m_context.components.add(new QPushButton(caption, this));
    button->setObjectName(name);
    place(button, QRect(x, y, buttonWidth, buttonHeight));
    button->setEnabled(false);
    return button;
}

void OpenPage::createControls() {
    ComponentList& components = m_context.components;
    m_panelOpenLeft = components.add(new QWidget(this));
    m_panelOpenLeft->setObjectName(QStringLiteral("panelOpenLeft"));
    m_lbProjects = components.add(new ProjectListWidget(m_panelOpenLeft));
    m_lbProjects->setObjectName(QStringLiteral("lbProjects"));
    m_lbProjects->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lbProjects->setContextMenuPolicy(Qt::CustomContextMenu);

    addLabel(QStringLiteral("labelProjectLanguagePath"), QStringLiteral("Language file path:"), labelLeft, 8);
    m_editProjectLanguagePath = addEdit(QStringLiteral("editProjectLanguagePath"), 8);
    addLabel(QStringLiteral("labelProjectLanguageExtension"), QStringLiteral("File extension:"), labelLeft, 32);
    m_editProjectLanguageExtension = addEdit(QStringLiteral("editProjectLanguageExtension"), 32);
    addLabel(QStringLiteral("labelProjectSpecialPath"), QStringLiteral("Special file path:"), labelLeft, 64);
    m_editProjectSpecialPath = addEdit(QStringLiteral("editProjectSpecialPath"), 64);
    addLabel(QStringLiteral("labelProjectSpecialExtension"), QStringLiteral("Special extension:"), labelLeft, 88);
    m_editProjectSpecialExtension = addEdit(QStringLiteral("editProjectSpecialExtension"), 88);

    addLabel(QStringLiteral("labelProjectLanguageReference"), QStringLiteral("Reference:"), labelLeft, 120);
    m_cbProjectLanguageReference =
        addLanguageBox(QStringLiteral("cbProjectLanguageReference"),
                       QStringLiteral("The main (always complete) language of the software to be translated."), 120);
    addLabel(QStringLiteral("labelProjectLanguageSource"), QStringLiteral("Source:"), labelLeft, 144);
    m_cbProjectLanguageSource = addLanguageBox(
        QStringLiteral("cbProjectLanguageSource"),
        QStringLiteral("The language to be used as the source of the translation. Reference language will be used "
                       "as source where this language isn't yet updated."),
        144);
    addLabel(QStringLiteral("labelProjectLanguageDestination"), QStringLiteral("Destination:"), labelLeft, 168);
    m_cbProjectLanguageDestination =
        addLanguageBox(QStringLiteral("cbProjectLanguageDestination"),
                       QStringLiteral("The language the software is about to be translated into."), 168);

    m_bnRefreshLanguages =
        addButton(QStringLiteral("bnRefreshLanguages"), QStringLiteral("Refresh languages"), fieldLeft, 200);
    m_bnEditLng = addButton(QStringLiteral("bnEditLng"), QStringLiteral("&Edit language"), 440, 200);
    m_bnSortPage = addButton(QStringLiteral("bnSortPage"), QStringLiteral("Sort files"), fieldLeft, 232);
    m_bnEditSpecial = addButton(QStringLiteral("bnEditSpecial"), QStringLiteral("Edit &special"), 440, 232);

    m_labelInfo = components.add(new QLabel(infoText, this));
    m_labelInfo->setObjectName(QStringLiteral("labelInfo"));
    m_labelInfo->setWordWrap(true);
    m_labelInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_pgLoad = components.add(new QProgressBar(this));
    m_pgLoad->setObjectName(QStringLiteral("pgLoad"));
    m_pgLoad->setTextVisible(false);
    m_pgLoad->hide();
    m_pgLoad->installEventFilter(this);
    m_context.progress.setBar(*m_pgLoad);
}

void OpenPage::connectHandlers() {
    const auto click = handler(&OpenPage::lbProjectsClick);
    connect(m_lbProjects, &QListWidget::itemSelectionChanged, this, [this, click] {
        if (!m_selectingByProgram) {
            click();
        }
    });
    connect(m_lbProjects, &ProjectListWidget::mouseDown, this, handler(&OpenPage::lbProjectsMouseDown));
    // A project selected by the program (a new one) is loaded only by a click on it.
    connect(new SelectedRowClick(*m_lbProjects), &SelectedRowClick::clicked, this, click);
    connect(m_editProjectLanguagePath, &QLineEdit::textChanged, this,
            handler(&OpenPage::editProjectLanguagePathChange));
    connect(m_editProjectLanguageExtension, &QLineEdit::textChanged, this,
            handler(&OpenPage::editProjectLanguageExtensionChange));
    connect(m_editProjectSpecialPath, &QLineEdit::textChanged, this, handler(&OpenPage::editProjectSpecialPathChange));
    connect(m_editProjectSpecialExtension, &QLineEdit::textChanged, this,
            handler(&OpenPage::editProjectSpecialExtensionChange));
    const QList<QPair<QComboBox*, ProjectSession::Role>> boxes = {
        {m_cbProjectLanguageReference, EditingState::Reference},
        {m_cbProjectLanguageSource, EditingState::Source},
        {m_cbProjectLanguageDestination, EditingState::Destination}};
    for (const auto& [box, role] : boxes) {
        // The session follows every change of choice, the program's too; only the user's picks are stored.
        connect(box, &QComboBox::currentIndexChanged, this, [this, box = box, role = role](int index) {
            m_context.session.setLanguage(role, index >= 0 ? std::optional<QString>(box->currentText()) : std::nullopt);
        });
    }
    connect(m_cbProjectLanguageReference, &QComboBox::activated, this,
            handler(&OpenPage::cbProjectLanguageReferenceChange));
    connect(m_cbProjectLanguageSource, &QComboBox::activated, this, handler(&OpenPage::cbProjectLanguageSourceChange));
    connect(m_cbProjectLanguageDestination, &QComboBox::activated, this,
            handler(&OpenPage::cbProjectLanguageDestinationChange));
    connect(m_bnRefreshLanguages, &QPushButton::clicked, this, handler(&OpenPage::bnRefreshLanguagesClick));
    connect(m_bnEditLng, &QPushButton::clicked, this, handler(&OpenPage::bnEditLngClick));
    connect(m_bnEditSpecial, &QPushButton::clicked, this, handler(&OpenPage::bnEditSpecialClick));
    connect(m_bnSortPage, &QPushButton::clicked, this, handler(&OpenPage::bnSortPageClick));
}

void OpenPage::setProjectActions(const ProjectActions& actions, QMenu* popup) {
    m_actions = actions;
    connect(m_lbProjects, &QWidget::customContextMenuRequested, popup,
            [this, popup](const QPoint& at) { popup->popup(m_lbProjects->viewport()->mapToGlobal(at)); });
}

QSize OpenPage::minimumSizeHint() const {
    // The fixed controls whole, and the information text to its last line at that width.
    int right = 0;
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect designed = designedGeometry(control);
        if (control != m_labelInfo && control != m_pgLoad && designed.x() >= fieldLeft) {
            // The fields stretch with the page; the other controls keep their designed width.
            const int width = qobject_cast<const QLineEdit*>(control) ? 0 : designed.width();
            right = qMax(right, designed.x() + qMax(width, control->minimumSizeHint().width()));
        }
    }
    const int width = right + infoRightMargin;
    return {width, infoTop + m_labelInfo->heightForWidth(width - labelLeft - infoRightMargin) + infoBottomMargin};
}

void OpenPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void OpenPage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) {
        layoutControls();
    }
}

void OpenPage::place(QWidget* control, const QRect& designed) {
    m_designed.insert(control, designed);
    control->setGeometry(QStyle::visualRect(layoutDirection(), rect(), designed));
}

QRect OpenPage::designedGeometry(QWidget* control) const {
    return m_designed.value(control, control->geometry());
}

bool OpenPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_pgLoad &&
        (type == QEvent::ShowToParent || type == QEvent::HideToParent || type == QEvent::ParentChange)) {
        layoutControls();
    }
    return QWidget::eventFilter(watched, event);
}

void OpenPage::layoutControls() {
    // The bar takes room at the page's foot only while it is at home here and shown.
    const bool ownBar = m_pgLoad->parentWidget() == this;
    const int progress = ownBar && !m_pgLoad->isHidden() ? progressHeight : 0;
    place(m_panelOpenLeft, QRect(0, 0, panelWidth, height() - progress));
    m_lbProjects->setGeometry(m_panelOpenLeft->rect());
    const int fieldWidth = qMax(40, width() - fieldLeft - fieldRightMargin);
    for (QLineEdit* edit : {m_editProjectLanguagePath, m_editProjectLanguageExtension, m_editProjectSpecialPath,
                            m_editProjectSpecialExtension}) {
        m_designed[edit].setSize(QSize(fieldWidth, fieldHeight));
    }
    m_designed.insert(m_labelInfo, QRect(labelLeft, infoTop, qMax(40, width() - labelLeft - infoRightMargin),
                                         qMax(20, height() - infoTop - infoBottomMargin)));
    for (auto it = m_designed.cbegin(); it != m_designed.cend(); ++it) {
        it.key()->setGeometry(QStyle::visualRect(layoutDirection(), rect(), it.value()));
    }
    if (ownBar) {
        m_pgLoad->setGeometry(0, height() - progressHeight, width(), progressHeight);
    }
}

QStringList OpenPage::listedNames() const {
    QStringList names;
    for (int row = 0; row < m_lbProjects->count(); ++row) {
        names.append(m_lbProjects->item(row)->text());
    }
    return names;
}

void OpenPage::selectProjectRow(int row) {
    const QScopedValueRollback<bool> byProgram(m_selectingByProgram, true);
    if (row >= 0) {
        m_lbProjects->setCurrentRow(row);
    } else {
        m_lbProjects->clearSelection();
        m_lbProjects->setCurrentRow(-1);
    }
}

void OpenPage::LoadProjectList() {
    m_lbProjects->setUpdatesEnabled(false);
    const QStringList names = m_context.store.names();
    {
        const QScopedValueRollback<bool> byProgram(m_selectingByProgram, true);
        m_lbProjects->clear();
        m_lbProjects->addItems(names);
    }
    const QString& current = m_context.session.projectName();
    selectProjectRow(current.isEmpty() ? -1 : NameCollation::findIgnoringCase(names, current));
    m_lbProjects->setUpdatesEnabled(true);
}

void OpenPage::lbProjectsClick() {
    const int row = m_lbProjects->selectedRow();
    m_bnSortPage->setEnabled(row >= 0);
    m_bnEditLng->setEnabled(row >= 0);
    m_context.session.setProjectName(row >= 0 ? m_lbProjects->item(row)->text() : QString());
    LoadProjectSettings();
}

void OpenPage::LoadProjectSettings() {
    for (QLineEdit* edit : {m_editProjectLanguagePath, m_editProjectLanguageExtension, m_editProjectSpecialPath,
                            m_editProjectSpecialExtension}) {
        edit->clear();
    }
    // Read once: the fields' change handlers store only what they show, never the chosen languages.
    const std::optional<ProjectSettings> settings = m_context.store.load(m_context.session.projectName());
    if (settings) {
        m_editProjectLanguagePath->setText(settings->path);
        m_editProjectLanguageExtension->setText(settings->extension);
        m_editProjectSpecialPath->setEnabled(settings->specialPath.has_value());
        m_editProjectSpecialPath->setText(settings->specialPath.value_or(QString()));
        m_editProjectSpecialExtension->setEnabled(settings->specialExtension.has_value());
        m_editProjectSpecialExtension->setText(settings->specialExtension.value_or(QString()));
        m_bnEditSpecial->setEnabled(settings->hasSpecialFiles());
    }
    if (clearLanguages()) {
        fillLanguages(settings);
    }
}

void OpenPage::storeField(QLineEdit* field, QString ProjectFields::*sessionField, const QString& valueName) {
    m_context.session.fields().*sessionField = field->text();
    if (!field->text().isEmpty()) {
        m_context.store.writeValue(m_context.session.projectName(), valueName, field->text());
    }
}

void OpenPage::editProjectLanguagePathChange() {
    storeField(m_editProjectLanguagePath, &ProjectFields::languagePath, ProjectStore::valuePath);
    if (!m_editProjectLanguagePath->text().isEmpty()) {
        m_bnRefreshLanguages->setEnabled(true);
    }
}

void OpenPage::editProjectLanguageExtensionChange() {
    storeField(m_editProjectLanguageExtension, &ProjectFields::languageExtension, ProjectStore::valueExtension);
    if (!m_editProjectLanguageExtension->text().isEmpty()) {
        m_bnRefreshLanguages->setEnabled(true);
    }
}

void OpenPage::editProjectSpecialPathChange() {
    storeField(m_editProjectSpecialPath, &ProjectFields::specialPath, ProjectStore::valueSpecialPath);
}

void OpenPage::editProjectSpecialExtensionChange() {
    storeField(m_editProjectSpecialExtension, &ProjectFields::specialExtension, ProjectStore::valueSpecialExtension);
}

void OpenPage::lbProjectsMouseDown() {
    const bool selected = m_lbProjects->selectedRow() >= 0;
    for (QAction* action : {m_actions.remove, m_actions.rename, m_actions.applyRules}) {
        if (action != nullptr) {
            action->setEnabled(selected);
        }
    }
}

void OpenPage::aProjectRemoveExecute() {
    const int row = m_lbProjects->selectedRow();
    if (row < 0) {
        return;
    }
    const QString name = m_lbProjects->item(row)->text();
    const QString question = MessageTable::format(m_context.messages(MessageTable::ConfirmationProjectDelete), name);
    if (!m_context.dialogs.confirm(question) || !m_context.store.remove(name)) {
        return;
    }
    {
        const QScopedValueRollback<bool> byProgram(m_selectingByProgram, true);
        delete m_lbProjects->takeItem(row);
    }
    selectProjectRow(-1);
}

void OpenPage::aProjectRenameExecute() {
    const int row = m_lbProjects->selectedRow();
    if (row < 0) {
        return;
    }
    const QString oldName = m_lbProjects->item(row)->text();
    const QStringList names = listedNames();
    QString newName = oldName;
    const bool confirmed = m_context.dialogs.inputText(
        m_context.messages(MessageTable::DialogProjectRenameCaption),
        MessageTable::format(m_context.messages(MessageTable::DialogProjectRenamePrompt), oldName), newName,
        [&oldName, &names](const QString& text) { return ProjectNameCheck::refusalForRename(oldName, text, names); });
    if (!confirmed || newName == oldName || !m_context.store.rename(oldName, newName)) {
        return;
    }
    m_lbProjects->item(row)->setText(newName);
    if (oldName.compare(m_context.session.projectName(), Qt::CaseInsensitive) == 0) {
        m_context.session.setProjectName(newName);
    }
}

QString OpenPage::askNewProjectName(const QString& suggestion) {
    const QStringList names = listedNames();
    QString name = suggestion;
    for (;;) {
        m_context.dialogs.inputQuery(m_context.messages(MessageTable::InputDlgDescriptionTitle),
                                     m_context.messages(MessageTable::InputDlgDescription), name);
        const QString separator = ProjectNameCheck::separatorRefusal(name);
        if (!separator.isEmpty()) {
            m_context.dialogs.showError(separator);
            continue;
        }
        if (ProjectNameCheck::refusalForNew(name, names).isEmpty()) {
            return name;
        }
    }
}

void OpenPage::AddLanguagesProject(const ProjectPreset& preset) {
    ProjectStore& store = m_context.store;
    Dialogs& dialogs = m_context.dialogs;
    const QString languageFolder = ProjectPresets::languageFolder(store.hive(), preset);
    const QString specialFolder = ProjectPresets::specialFolder(store.hive(), preset);
    const std::optional<QString> chosen = dialogs.browseForFolder(languageFolder);
    if (!chosen) {
        return;
    }
    QString extension = preset.extension;
    dialogs.inputQuery(m_context.messages(MessageTable::InputDlgFileExtensionTitle),
                       m_context.messages(MessageTable::InputDlgFileExtension), extension);
    QString specialExtension = preset.specialExtension;
    if (!specialExtension.isEmpty()) {
        dialogs.inputQuery(m_context.messages(MessageTable::InputDlgFileExtensionTitle),
                           m_context.messages(MessageTable::InputDlgFileExtension2), specialExtension);
    }
    m_context.session.setProjectName(askNewProjectName(preset.name));
    if (store.create(m_context.session.projectName())) {
        // Each value is stored even when its field already showed the same text.
        const auto assign = [](QLineEdit* field, const QString& text, auto store) {
            if (field->text() == text) {
                store();
            } else {
                field->setText(text);
            }
        };
        assign(m_editProjectLanguagePath, FolderPath::withSeparator(*chosen),
               [this] { editProjectLanguagePathChange(); });
        assign(m_editProjectLanguageExtension, extension, [this] { editProjectLanguageExtensionChange(); });
        if (!specialFolder.isEmpty()) {
            assign(m_editProjectSpecialPath, specialFolder, [this] { editProjectSpecialPathChange(); });
        }
        if (!specialExtension.isEmpty()) {
            assign(m_editProjectSpecialExtension, specialExtension, [this] { editProjectSpecialExtensionChange(); });
        }
    }
    LoadProjectList();
}

void OpenPage::RefreshLanguages() {
    if (clearLanguages()) {
        fillLanguages(m_context.store.load(m_context.session.projectName()));
    }
}

bool OpenPage::clearLanguages() {
    for (QComboBox* box : {m_cbProjectLanguageReference, m_cbProjectLanguageSource, m_cbProjectLanguageDestination}) {
        box->clear();
    }
    return !m_editProjectLanguagePath->text().isEmpty() && !m_editProjectLanguageExtension->text().isEmpty();
}

void OpenPage::fillLanguages(const std::optional<ProjectSettings>& settings) {
    const QList<LanguageFlag> languages = [this] {
        ProgressBarLoan loan = m_context.progress.lend(*this);
        return m_context.session.languageFolder().flags(&loan);
    }();

    const QList<QComboBox*> boxes = {m_cbProjectLanguageReference, m_cbProjectLanguageSource,
                                     m_cbProjectLanguageDestination};
    ImageList& flags = m_context.ilFlags16;
    flags.clear();
    QStringList names;
    for (const LanguageFlag& language : languages) {
        const int image = flags.addMasked(language.flag16);
        for (QComboBox* box : boxes) {
            box->addItem(flags.icon(image), language.name, image);
        }
        names.append(language.name);
    }

    // Adding to an empty box selects its first item; only a stored choice may select one.
    // Restoring is not the user's pick, and the change handlers listen to the user's picks only.
    const QStringList stored = settings ? QStringList{settings->reference, settings->source, settings->destination}
                                        : QStringList{QString(), QString(), QString()};
    for (int i = 0; i < boxes.size(); ++i) {
        boxes[i]->setCurrentIndex(stored[i].isEmpty() ? -1 : NameCollation::findIgnoringCase(names, stored[i]));
    }
}

void OpenPage::bnRefreshLanguagesClick() {
    RefreshLanguages();
    m_bnRefreshLanguages->setEnabled(false);
}

void OpenPage::storeLanguage(QComboBox* box, const QString& valueName) {
    if (box->currentIndex() >= 0) {
        m_context.store.writeValue(m_context.session.projectName(), valueName, box->currentText());
    }
}

void OpenPage::cbProjectLanguageReferenceChange() {
    storeLanguage(m_cbProjectLanguageReference, ProjectStore::valueReference);
}

void OpenPage::cbProjectLanguageSourceChange() {
    storeLanguage(m_cbProjectLanguageSource, ProjectStore::valueSource);
}

void OpenPage::cbProjectLanguageDestinationChange() {
    storeLanguage(m_cbProjectLanguageDestination, ProjectStore::valueDestination);
}

void OpenPage::bnEditLngClick() {
    if (m_context.session.languagesChosen()) {
        emit editLanguageRequested();
    }
}

void OpenPage::bnEditSpecialClick() {
    if (m_context.session.languagesChosen()) {
        emit editSpecialRequested();
    }
}

void OpenPage::bnSortPageClick() {
    emit sortPageRequested();
}
