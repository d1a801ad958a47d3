#pragma once

#include "EditRequest.h"
#include "FileStamp.h"
#include "IniDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

// The three documents of the editing page and where the user stands in them.
class EditingState {
public:
    enum Role { Reference = 0, Source = 1, Destination = 2 };

    // Loads the three files (missing ones give empty documents). Throws FileError and then
    // leaves the earlier documents in place.
    void load(const EditRequest& request);
    // Reloads the destination when its file changed on disk since it was loaded or last
    // written, with the entries not yet written put in again; returns whether it did. Throws
    // FileError when the changed file cannot be read.
    bool refreshDestination();
    // Puts an entry into the destination document; it counts as not yet written until
    // destinationWritten(), so a failed write keeps it for the next save. The destination's code
    // page follows its FontCharset as written.
    void writeEntry(const QByteArray& section, const QByteArray& key, const QByteArray& value);
    // Reads the destination again after someone else rewrote its file (a sort, a rules run), so
    // that the next save starts from what is on disk. A missing file leaves the document as it is.
    void reloadDestination();
    // Remembers the destination file as it is now, after writing it.
    void destinationWritten();
    // Counts every reading of the destination file, so that what was built from an earlier
    // reading can tell it is out of date.
    int destinationReadings() const { return m_destinationReadings; }

    bool hasDocuments() const { return m_documents[0] && m_documents[1] && m_documents[2]; }
    const IniDocument* document(Role role) const { return m_documents[role].get(); }
    IniDocument* destination() { return m_documents[Destination].get(); }
    // The code page in which the texts of that document are meant to be read (its FontCharset).
    int codePage(Role role) const { return m_codePages[role]; }

    // The code page of a language document: that of its FontCharset in section Main.
    static int codePageOf(const IniDocument& document);

    const QString& name(Role role) const { return m_names[role]; }
    const QString& path(Role role) const { return m_paths[role]; }

    QByteArray currentSection;
    QByteArray currentKey;

private:
    struct Entry {
        QByteArray section;
        QByteArray key;
        QByteArray value;
    };

    void reloadDestination(const FileStamp& now);

    QString m_names[3];
    QString m_paths[3];
    std::unique_ptr<IniDocument> m_documents[3];
    int m_codePages[3] = {0, 0, 0};
    FileStamp m_destinationStamp;
    QList<Entry> m_unwritten;
    int m_destinationReadings = 0;
};
