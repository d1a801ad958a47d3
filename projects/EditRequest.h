#pragma once

#include <QString>

// What "&Edit language" takes over from the session: the chosen languages in the language folder.
struct EditRequest {
    QString referenceName;
    QString sourceName;
    QString destinationName;
    QString folder; // the path field's text; a separator is added when missing
    QString extension;

    bool isComplete() const {
        return !referenceName.isEmpty() && !sourceName.isEmpty() && !destinationName.isEmpty() && !folder.isEmpty() &&
               !extension.isEmpty();
    }
};
