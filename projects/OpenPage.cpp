#include "OpenPage.h"

#include "ComponentList.h"
#include "Dialogs.h"
#include "FolderPath.h"
#include "HandlerGuard.h"
#include "ImageList.h"
#include "LanguageDiscovery.h"
#include "MessageTable.h"
#include "NvInputDialog.h"
#include "NvMessageDialog.h"
#include "ProjectListWidget.h"
#include "ProjectNameCheck.h"
#include "ProjectStore.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>

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

OpenPage::OpenPage(ProjectStore& store, Dialogs& dialogs, const HandlerGuard& guard, MessageText messages,
                   ImageList& flags, ComponentList& components, QWidget* parent)
    : QWidget(parent), m_store(store), m_dialogs(dialogs), m_guard(guard), m_messages(std::move(messages)),
      m_flags(flags) {
    setObjectName(QStringLiteral("tsOpen"));
    components.add(this);
    resize(601, 381);
    createControls(components);
    connectHandlers();
    layoutControls();
}

QLabel* OpenPage::addLabel(ComponentList& components, const QString& name, const QString& caption, int x, int y) {
    auto* label = components.add(new QLabel(caption, this));
    label->setObjectName(name);
    label->setGeometry(x, y, fieldLeft - x - 4, fieldHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit* OpenPage::addEdit(ComponentList& components, const QString& name, int y) {
    auto* edit = components.add(new QLineEdit(this));
    edit->setObjectName(name);
    edit->move(fieldLeft, y);
    return edit;
}

QComboBox* OpenPage::addLanguageBox(ComponentList& components, const QString& name, const QString& hint, int y) {
    auto* box = components.add(new QComboBox(this));
    box->setObjectName(name);
    box->setEditable(false);
    box->setIconSize(QSize(16, 16));
    box->setMaxVisibleItems(12);
    box->setToolTip(hint);
    box->setGeometry(fieldLeft, y, languageBoxWidth, fieldHeight);
    return box;
}

QPushButton* OpenPage::addButton(ComponentList& components, const QString& name, const QString& caption, int x, int y) {
    auto* button = components.add(new QPushButton(caption, this));
    button->setObjectName(name);
    button->setGeometry(x, y, buttonWidth, buttonHeight);
    button->setEnabled(false);
    return button;
}

void OpenPage::createControls(ComponentList& components) {
    m_panelOpenLeft = components.add(new QWidget(this));
    m_panelOpenLeft->setObjectName(QStringLiteral("panelOpenLeft"));
    m_lbProjects = components.add(new ProjectListWidget(m_panelOpenLeft));
    m_lbProjects->setObjectName(QStringLiteral("lbProjects"));
    m_lbProjects->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lbProjects->setContextMenuPolicy(Qt::CustomContextMenu);

    addLabel(components, QStringLiteral("labelProjectLanguagePath"), QStringLiteral("Language file path:"), labelLeft,
             8);
    m_editProjectLanguagePath = addEdit(components, QStringLiteral("editProjectLanguagePath"), 8);
    addLabel(components, QStringLiteral("labelProjectLanguageExtension"), QStringLiteral("File extension:"), labelLeft,
             32);
    m_editProjectLanguageExtension = addEdit(components, QStringLiteral("editProjectLanguageExtension"), 32);
    addLabel(components, QStringLiteral("labelProjectSpecialPath"), QStringLiteral("Special file path:"), labelLeft,
             64);
    m_editProjectSpecialPath = addEdit(components, QStringLiteral("editProjectSpecialPath"), 64);
    addLabel(components, QStringLiteral("labelProjectSpecialExtension"), QStringLiteral("Special extension:"),
             labelLeft, 88);
    m_editProjectSpecialExtension = addEdit(components, QStringLiteral("editProjectSpecialExtension"), 88);

    addLabel(components, QStringLiteral("labelProjectLanguageReference"), QStringLiteral("Reference:"), labelLeft, 120);
    m_cbProjectLanguageReference =
        addLanguageBox(components, QStringLiteral("cbProjectLanguageReference"),
                       QStringLiteral("The main (always complete) language of the software to be translated."), 120);
    addLabel(components, QStringLiteral("labelProjectLanguageSource"), QStringLiteral("Source:"), labelLeft, 144);
    m_cbProjectLanguageSource = addLanguageBox(
        components, QStringLiteral("cbProjectLanguageSource"),
        QStringLiteral("The language to be used as the source of the translation. Reference language will be used "
                       "as source where this language isn't yet updated."),
        144);
    addLabel(components, QStringLiteral("labelProjectLanguageDestination"), QStringLiteral("Destination:"), labelLeft,
             168);
    m_cbProjectLanguageDestination =
        addLanguageBox(components, QStringLiteral("cbProjectLanguageDestination"),
                       QStringLiteral("The language the software is about to be translated into."), 168);

    m_bnRefreshLanguages = addButton(components, QStringLiteral("bnRefreshLanguages"),
                                     QStringLiteral("Refresh languages"), fieldLeft, 200);
    m_bnEditLng = addButton(components, QStringLiteral("bnEditLng"), QStringLiteral("&Edit language"), 440, 200);
    m_bnSortPage = addButton(components, QStringLiteral("bnSortPage"), QStringLiteral("Sort files"), fieldLeft, 232);
    m_bnEditSpecial = addButton(components, QStringLiteral("bnEditSpecial"), QStringLiteral("Edit &special"), 440, 232);

    m_labelInfo = components.add(new QLabel(infoText, this));
    m_labelInfo->setObjectName(QStringLiteral("labelInfo"));
    m_labelInfo->setWordWrap(true);
    m_labelInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_pgLoad = components.add(new QProgressBar(this));
    m_pgLoad->setObjectName(QStringLiteral("pgLoad"));
    m_pgLoad->setTextVisible(false);
    m_pgLoad->hide();
    m_pgLoad->installEventFilter(this);
}

void OpenPage::connectHandlers() {
    const auto guarded = [this](void (OpenPage::*handler)()) {
        return [this, handler] { m_guard.run([this, handler] { (this->*handler)(); }); };
    };
    connect(m_lbProjects, &QListWidget::itemSelectionChanged, this, [this, guarded] {
        if (!m_selectingByProgram) {
            guarded (&OpenPage::lbProjectsClick)();
        }
    });
    connect(m_lbProjects, &ProjectListWidget::mouseDown, this, guarded(&OpenPage::lbProjectsMouseDown));
    // A project selected by the program (a new one) is loaded only by a click on it.
    connect(m_lbProjects, &ProjectListWidget::selectedEntryClicked, this, guarded(&OpenPage::lbProjectsClick));
    connect(m_editProjectLanguagePath, &QLineEdit::textChanged, this,
            guarded(&OpenPage::editProjectLanguagePathChange));
    connect(m_editProjectLanguageExtension, &QLineEdit::textChanged, this,
            guarded(&OpenPage::editProjectLanguageExtensionChange));
    connect(m_editProjectSpecialPath, &QLineEdit::textChanged, this, guarded(&OpenPage::editProjectSpecialPathChange));
    connect(m_editProjectSpecialExtension, &QLineEdit::textChanged, this,
            guarded(&OpenPage::editProjectSpecialExtensionChange));
    connect(m_cbProjectLanguageReference, &QComboBox::activated, this,
            guarded(&OpenPage::cbProjectLanguageReferenceChange));
    connect(m_cbProjectLanguageSource, &QComboBox::activated, this, guarded(&OpenPage::cbProjectLanguageSourceChange));
    connect(m_cbProjectLanguageDestination, &QComboBox::activated, this,
            guarded(&OpenPage::cbProjectLanguageDestinationChange));
    connect(m_bnRefreshLanguages, &QPushButton::clicked, this, guarded(&OpenPage::bnRefreshLanguagesClick));
    connect(m_bnEditLng, &QPushButton::clicked, this, guarded(&OpenPage::bnEditLngClick));
    connect(m_bnEditSpecial, &QPushButton::clicked, this, guarded(&OpenPage::bnEditSpecialClick));
    connect(m_bnSortPage, &QPushButton::clicked, this, guarded(&OpenPage::bnSortPageClick));
}

void OpenPage::setProjectActions(const ProjectActions& actions, QMenu* popup) {
    m_actions = actions;
    connect(m_lbProjects, &QWidget::customContextMenuRequested, popup,
            [this, popup](const QPoint& at) { popup->popup(m_lbProjects->viewport()->mapToGlobal(at)); });
}

void OpenPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

bool OpenPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pgLoad && (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        layoutControls();
    }
    return QWidget::eventFilter(watched, event);
}

void OpenPage::layoutControls() {
    const int progress = m_pgLoad->isHidden() ? 0 : progressHeight;
    m_panelOpenLeft->setGeometry(0, 0, panelWidth, height() - progress);
    m_lbProjects->setGeometry(m_panelOpenLeft->rect());
    const int fieldWidth = qMax(40, width() - fieldLeft - fieldRightMargin);
    for (QLineEdit* edit : {m_editProjectLanguagePath, m_editProjectLanguageExtension, m_editProjectSpecialPath,
                            m_editProjectSpecialExtension}) {
        edit->resize(fieldWidth, fieldHeight);
    }
    m_labelInfo->setGeometry(labelLeft, infoTop, qMax(40, width() - labelLeft - infoRightMargin),
                             qMax(20, height() - infoTop - infoBottomMargin));
    m_pgLoad->setGeometry(0, height() - progressHeight, width(), progressHeight);
}

QString OpenPage::languageFolder() const {
    return FolderPath::withSeparator(m_editProjectLanguagePath->text());
}

QString OpenPage::languageExtension() const {
    return m_editProjectLanguageExtension->text();
}

QString OpenPage::referenceLanguage() const {
    return m_cbProjectLanguageReference->currentText();
}

QString OpenPage::sourceLanguage() const {
    return m_cbProjectLanguageSource->currentText();
}

QString OpenPage::destinationLanguage() const {
    return m_cbProjectLanguageDestination->currentText();
}

bool OpenPage::languagesChosen() const {
    return m_cbProjectLanguageReference->currentIndex() >= 0 && m_cbProjectLanguageSource->currentIndex() >= 0 &&
           m_cbProjectLanguageDestination->currentIndex() >= 0 && !m_editProjectLanguagePath->text().isEmpty() &&
           !m_editProjectLanguageExtension->text().isEmpty();
}

QStringList OpenPage::listedNames() const {
    QStringList names;
    for (int row = 0; row < m_lbProjects->count(); ++row) {
        names.append(m_lbProjects->item(row)->text());
    }
    return names;
}

void OpenPage::selectProjectRow(int row) {
    m_selectingByProgram = true;
    if (row >= 0) {
        m_lbProjects->setCurrentRow(row);
    } else {
        m_lbProjects->clearSelection();
        m_lbProjects->setCurrentRow(-1);
    }
    m_selectingByProgram = false;
}

void OpenPage::LoadProjectList() {
    m_lbProjects->setUpdatesEnabled(false);
    m_selectingByProgram = true;
    m_lbProjects->clear();
    const QStringList names = m_store.names();
    m_lbProjects->addItems(names);
    m_selectingByProgram = false;
    selectProjectRow(m_currentProject.isEmpty() ? -1 : LanguageDiscovery::findIgnoringCase(names, m_currentProject));
    m_lbProjects->setUpdatesEnabled(true);
}

void OpenPage::lbProjectsClick() {
    const int row = m_lbProjects->selectedRow();
    m_bnSortPage->setEnabled(row >= 0);
    m_bnEditLng->setEnabled(row >= 0);
    m_currentProject = row >= 0 ? m_lbProjects->item(row)->text() : QString();
    LoadProjectSettings();
}

void OpenPage::LoadProjectSettings() {
    for (QLineEdit* edit : {m_editProjectLanguagePath, m_editProjectLanguageExtension, m_editProjectSpecialPath,
                            m_editProjectSpecialExtension}) {
        edit->clear();
    }
    // Read once: the fields' change handlers store only what they show, never the chosen languages.
    const std::optional<ProjectSettings> settings = m_store.load(m_currentProject);
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

void OpenPage::storeField(QLineEdit* field, const QString& valueName) {
    if (!field->text().isEmpty()) {
        m_store.writeValue(m_currentProject, valueName, field->text());
    }
}

void OpenPage::editProjectLanguagePathChange() {
    storeField(m_editProjectLanguagePath, ProjectStore::valuePath);
    if (!m_editProjectLanguagePath->text().isEmpty()) {
        m_bnRefreshLanguages->setEnabled(true);
    }
}

void OpenPage::editProjectLanguageExtensionChange() {
    storeField(m_editProjectLanguageExtension, ProjectStore::valueExtension);
    if (!m_editProjectLanguageExtension->text().isEmpty()) {
        m_bnRefreshLanguages->setEnabled(true);
    }
}

void OpenPage::editProjectSpecialPathChange() {
    storeField(m_editProjectSpecialPath, ProjectStore::valueSpecialPath);
}

void OpenPage::editProjectSpecialExtensionChange() {
    storeField(m_editProjectSpecialExtension, ProjectStore::valueSpecialExtension);
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
    const QString question = MessageTable::format(m_messages(MessageTable::ConfirmationProjectDelete), name);
    if (NvMessageDialog::nvMessageDlg(question, MsgDlgType::Confirmation, mbYes | mbNo, 0) != mrYes) {
        return;
    }
    if (!m_store.remove(name)) {
        return;
    }
    m_selectingByProgram = true;
    delete m_lbProjects->takeItem(row);
    m_selectingByProgram = false;
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
    const bool confirmed = NvInputDialog::nvInputQuery(
        m_messages(MessageTable::DialogProjectRenameCaption),
        MessageTable::format(m_messages(MessageTable::DialogProjectRenamePrompt), oldName), newName,
        [&oldName, &names](const QString& text) { return ProjectNameCheck::refusalForRename(oldName, text, names); });
    if (!confirmed || newName == oldName || !m_store.rename(oldName, newName)) {
        return;
    }
    m_lbProjects->item(row)->setText(newName);
    if (oldName.compare(m_currentProject, Qt::CaseInsensitive) == 0) {
        m_currentProject = newName;
    }
}

QString OpenPage::askNewProjectName(const QString& suggestion) {
    const QStringList names = listedNames();
    QString name = suggestion;
    for (;;) {
        m_dialogs.inputQuery(m_messages(MessageTable::InputDlgDescriptionTitle),
                             m_messages(MessageTable::InputDlgDescription), name);
        const QString separator = ProjectNameCheck::separatorRefusal(name);
        if (!separator.isEmpty()) {
            m_dialogs.showError(separator);
            continue;
        }
        if (ProjectNameCheck::refusalForNew(name, names).isEmpty()) {
            return name;
        }
    }
}

void OpenPage::AddLanguagesProject(const ProjectPreset& preset) {
    const QString languageFolder = ProjectPresets::languageFolder(m_store.hive(), preset);
    const QString specialFolder = ProjectPresets::specialFolder(m_store.hive(), preset);
    const std::optional<QString> chosen = m_dialogs.browseForFolder(languageFolder);
    if (!chosen) {
        return;
    }
    QString extension = preset.extension;
    m_dialogs.inputQuery(m_messages(MessageTable::InputDlgFileExtensionTitle),
                         m_messages(MessageTable::InputDlgFileExtension), extension);
    QString specialExtension = preset.specialExtension;
    if (!specialExtension.isEmpty()) {
        m_dialogs.inputQuery(m_messages(MessageTable::InputDlgFileExtensionTitle),
                             m_messages(MessageTable::InputDlgFileExtension2), specialExtension);
    }
    m_currentProject = askNewProjectName(preset.name);
    if (m_store.create(m_currentProject)) {
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
        fillLanguages(m_store.load(m_currentProject));
    }
}

bool OpenPage::clearLanguages() {
    for (QComboBox* box : {m_cbProjectLanguageReference, m_cbProjectLanguageSource, m_cbProjectLanguageDestination}) {
        box->clear();
    }
    return !m_editProjectLanguagePath->text().isEmpty() && !m_editProjectLanguageExtension->text().isEmpty();
}

void OpenPage::fillLanguages(const std::optional<ProjectSettings>& settings) {
    const auto progress = [this](int position, int maximum) {
        m_pgLoad->setMaximum(maximum);
        m_pgLoad->setValue(position);
        m_pgLoad->show();
    };
    const QList<DiscoveredLanguage> languages =
        LanguageDiscovery::discover(languageFolder(), languageExtension(), progress);
    m_pgLoad->hide();

    const QList<QComboBox*> boxes = {m_cbProjectLanguageReference, m_cbProjectLanguageSource,
                                     m_cbProjectLanguageDestination};
    m_flags.clear();
    QStringList names;
    for (const DiscoveredLanguage& language : languages) {
        const int image = m_flags.add(QIcon(QPixmap::fromImage(language.flag16Masked)));
        for (QComboBox* box : boxes) {
            box->addItem(m_flags.icon(image), language.name, image);
        }
        names.append(language.name);
    }

    // Adding to an empty box selects its first item; only a stored choice may select one.
    // Restoring is not the user's pick, and the change handlers listen to the user's picks only.
    const QStringList stored = settings ? QStringList{settings->reference, settings->source, settings->destination}
                                        : QStringList{QString(), QString(), QString()};
    for (int i = 0; i < boxes.size(); ++i) {
        boxes[i]->setCurrentIndex(stored[i].isEmpty() ? -1 : LanguageDiscovery::findIgnoringCase(names, stored[i]));
    }
}

void OpenPage::bnRefreshLanguagesClick() {
    RefreshLanguages();
    m_bnRefreshLanguages->setEnabled(false);
}

void OpenPage::storeLanguage(QComboBox* box, const QString& valueName) {
    if (box->currentIndex() >= 0) {
        m_store.writeValue(m_currentProject, valueName, box->currentText());
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
    if (languagesChosen()) {
        emit editLanguageRequested();
    }
}

void OpenPage::bnEditSpecialClick() {
    if (languagesChosen()) {
        emit editSpecialRequested();
    }
}

void OpenPage::bnSortPageClick() {
    emit sortPageRequested();
}
