#pragma once

#include <QString>

// What a bulk run did to one file.
struct FileReport {
    enum class Outcome {
        Written, // rewritten through the safe write
        Missing, // skipped: the file does not exist
        Failed,  // not rewritten (reason says why); the file on disk is as it was
    };

    QString path;
    Outcome outcome = Outcome::Written;
    QString reason; // the file error's message for Failed, empty otherwise
};
