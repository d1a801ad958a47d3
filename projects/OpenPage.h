#pragma once

#include "PageWidget.h"
#include "ProjectPresets.h"

#include <QHash>
#include <QRect>

#include <optional>

class ProjectListWidget;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
struct ProjectFields;
struct ProjectSettings;

// The Open-project page (tsOpen): the project list, the project's fields, the three language
// choices and the buttons that hand over to the other pages. What it shows of the current
// project goes into the session as it changes.
class OpenPage : public PageWidget {
    Q_OBJECT
public:
    // The three actions that follow the project list's selection at each mouse press.
    struct ProjectActions {
        QAction* remove = nullptr;
        QAction* rename = nullptr;
        QAction* applyRules = nullptr;
    };

    explicit OpenPage(const PageContext& context, QWidget* parent = nullptr);

    void setProjectActions(const ProjectActions& actions, QMenu* popup);

    ProjectListWidget* lbProjects() const { return m_lbProjects; }
    QLineEdit* editProjectLanguagePath() const { return m_editProjectLanguagePath; }
    QLineEdit* editProjectLanguageExtension() const { return m_editProjectLanguageExtension; }
    QLineEdit* editProjectSpecialPath() const { return m_editProjectSpecialPath; }
    QLineEdit* editProjectSpecialExtension() const { return m_editProjectSpecialExtension; }
    QComboBox* cbProjectLanguageReference() const { return m_cbProjectLanguageReference; }
    QComboBox* cbProjectLanguageSource() const { return m_cbProjectLanguageSource; }
    QComboBox* cbProjectLanguageDestination() const { return m_cbProjectLanguageDestination; }
    QPushButton* bnRefreshLanguages() const { return m_bnRefreshLanguages; }
    QPushButton* bnEditLng() const { return m_bnEditLng; }
    QPushButton* bnSortPage() const { return m_bnSortPage; }
    QPushButton* bnEditSpecial() const { return m_bnEditSpecial; }
    QLabel* labelInfo() const { return m_labelInfo; }
    QProgressBar* pgLoad() const { return m_pgLoad; }

    static const QString infoText;

signals:
    void editLanguageRequested();
    void editSpecialRequested();
    void sortPageRequested();

public slots:
    void LoadProjectList();
    void lbProjectsClick();
    void LoadProjectSettings();
    void editProjectLanguagePathChange();
    void editProjectLanguageExtensionChange();
    void editProjectSpecialPathChange();
    void editProjectSpecialExtensionChange();
    void lbProjectsMouseDown();
    void aProjectRemoveExecute();
    void aProjectRenameExecute();
    void AddLanguagesProject(const ProjectPreset& preset);
    void RefreshLanguages();
    void bnRefreshLanguagesClick();
    void cbProjectLanguageReferenceChange();
    void cbProjectLanguageSourceChange();
    void cbProjectLanguageDestinationChange();
    void bnEditLngClick();
    void bnEditSpecialClick();
    void bnSortPageClick();

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void layoutControls();
    // The controls stand where the design puts them when reading left to right, mirrored within
    // the page when reading right to left.
    void place(QWidget* control, const QRect& designed);
    QRect designedGeometry(QWidget* control) const;
    QLabel* addLabel(const QString& name, const QString& caption, int x, int y);
    QLineEdit* addEdit(const QString& name, int y);
    QComboBox* addLanguageBox(const QString& name, const QString& hint, int y);
    QPushButton* addButton(const QString& name, const QString& caption, int x, int y);

    // The field's text goes into the session and, when not empty, into the current project.
    void storeField(QLineEdit* field, QString ProjectFields::*sessionField, const QString& valueName);
    void storeLanguage(QComboBox* box, const QString& valueName);
    void selectProjectRow(int row);
    // Empties the three language boxes; true when the path and extension name a folder to list.
    bool clearLanguages();
    // Discovery of the folder's languages with their flags and the choices stored in settings.
    void fillLanguages(const std::optional<ProjectSettings>& settings);
    QString askNewProjectName(const QString& suggestion);
    QStringList listedNames() const;

    ProjectActions m_actions;
    QHash<QWidget*, QRect> m_designed;
    // Set while the program moves the list's selection, which is not the user's click.
    bool m_selectingByProgram = false;

    QWidget* m_panelOpenLeft = nullptr;
    ProjectListWidget* m_lbProjects = nullptr;
    QLineEdit* m_editProjectLanguagePath = nullptr;
    QLineEdit* m_editProjectLanguageExtension = nullptr;
    QLineEdit* m_editProjectSpecialPath = nullptr;
    QLineEdit* m_editProjectSpecialExtension = nullptr;
    QComboBox* m_cbProjectLanguageReference = nullptr;
    QComboBox* m_cbProjectLanguageSource = nullptr;
    QComboBox* m_cbProjectLanguageDestination = nullptr;
    QPushButton* m_bnRefreshLanguages = nullptr;
    QPushButton* m_bnEditLng = nullptr;
    QPushButton* m_bnSortPage = nullptr;
    QPushButton* m_bnEditSpecial = nullptr;
    QLabel* m_labelInfo = nullptr;
    QProgressBar* m_pgLoad = nullptr;
};
