#pragma once

#include <QByteArray>
#include <QString>

class EditingState;

// Saving the edit field into the destination file under the current section and key.
namespace EntrySaver {

struct Result {
    bool saved = false;
    QByteArray stored; // the escaped bytes written, when saved
    QString error;     // why nothing was saved; empty when there was nothing to save
};

// Every line break (LF, CR LF, a lone CR, Unicode line and paragraph separators) as CR LF.
QString normalizeLineBreaks(const QString& text);

// Writes text into the destination document and rewrites its file. A file that changed on
// disk since it was read is reloaded first so the other change is kept. Text that would not
// read back as the same entry (characters the destination's code page cannot hold, a NUL, a
// line that reads as a section header) and a destination that must not be rewritten (see
// RewriteGuard) leave document and file as they were. A failed write leaves the file as it
// was and keeps the entry in the document, so the next successful save writes it as well.
Result save(EditingState& state, const QString& text);

} // namespace EntrySaver
