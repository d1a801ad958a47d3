#include "ProjectSession.h"

LanguageFolder ProjectSession::languageFolder() const {
    return LanguageFolder(m_fields.languagePath, m_fields.languageExtension);
}

LanguageFolder ProjectSession::specialFolder() const {
    return LanguageFolder(m_fields.specialPath, m_fields.specialExtension);
}

bool ProjectSession::languagesChosen() const {
    for (const std::optional<QString>& language : m_languages) {
        if (!language) {
            return false;
        }
    }
    return !m_fields.languagePath.isEmpty() && !m_fields.languageExtension.isEmpty();
}

EditRequest ProjectSession::editRequest() const {
    EditRequest request;
    request.referenceName = m_languages[Role::Reference].value_or(QString());
    request.sourceName = m_languages[Role::Source].value_or(QString());
    request.destinationName = m_languages[Role::Destination].value_or(QString());
    request.folder = m_fields.languagePath;
    request.extension = m_fields.languageExtension;
    return request;
}
