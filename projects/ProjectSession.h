#pragma once

#include "EditRequest.h"
#include "EditingState.h"
#include "LanguageFolder.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The project's fields as the Open page shows them; the user may have typed in them since the
// project was loaded, and the other pages take them as they are.
struct ProjectFields {
    QString languagePath;
    QString languageExtension;
    QString specialPath;
    QString specialExtension;
};

// What more than one page reads, held by the main window: the current project and its fields,
// the three chosen languages, the editing documents with the current section and key, the
// current special category and entry, and the rules file. Pages read and change it; none reads
// another page's widgets.
class ProjectSession {
public:
    using Role = EditingState::Role;

    // Empty means no project is current.
    const QString& projectName() const { return m_projectName; }
    void setProjectName(const QString& name) { m_projectName = name; }

    ProjectFields& fields() { return m_fields; }
    const ProjectFields& fields() const { return m_fields; }
    LanguageFolder languageFolder() const;
    LanguageFolder specialFolder() const;

    // The language chosen for a role; nullopt while none is.
    const std::optional<QString>& language(Role role) const { return m_languages[role]; }
    void setLanguage(Role role, const std::optional<QString>& name) { m_languages[role] = name; }
    // All three languages chosen and a language path and extension given.
    bool languagesChosen() const;
    // The chosen languages in the language folder, as "&Edit language" takes them over.
    EditRequest editRequest() const;

    // The three documents of the editing page with the current section and key.
    EditingState& editing() { return m_editing; }
    const EditingState& editing() const { return m_editing; }

    // The special page's current category and entry (a section and a key of the special files).
    const QByteArray& specialCategory() const { return m_specialCategory; }
    void setSpecialCategory(const QByteArray& category) { m_specialCategory = category; }
    const QByteArray& specialEntry() const { return m_specialEntry; }
    void setSpecialEntry(const QByteArray& entry) { m_specialEntry = entry; }

    // The rules file chosen last; empty before any.
    const QString& rulesFile() const { return m_rulesFile; }
    void setRulesFile(const QString& fileName) { m_rulesFile = fileName; }

private:
    QString m_projectName;
    ProjectFields m_fields;
    std::optional<QString> m_languages[3];
    EditingState m_editing;
    QByteArray m_specialCategory;
    QByteArray m_specialEntry;
    QString m_rulesFile;
};
