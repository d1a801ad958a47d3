#pragma once

#include <QString>

// What "&Edit language" takes over from the Open-project page.
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
