#pragma once

#include "CodePage.h"
#include "EditingState.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

// Finding a text in the stored values of the editing page's three language files, line by line
// as the files lie on disk: no INI parsing, no trimming, escapes left in place.
namespace LanguageSearch {

// A line whose data holds the term, as bytes of the searched text (blanks and escapes kept).
struct Hit {
    QByteArrayView section; // the last header line above it without its first and last byte
    QByteArrayView key;     // the text before the first "=", empty when there is none
    QByteArrayView data;    // the text after the first "=", the whole line when there is none
};

// A hit with the file it was found in, and that file's code page for showing its bytes.
struct Row {
    EditingState::Role file = EditingState::Reference;
    int codePage = CodePage::Ansi;
    Hit hit;
};

struct Request {
    QString term; // as typed; each file is searched for it in that file's code page
    QString paths[3];
    int codePages[3] = {CodePage::Ansi, CodePage::Ansi, CodePage::Ansi};
    bool searched[3] = {true, true, true}; // the three check boxes, by role

    // The paths and code pages of the documents the editing page has loaded.
    static Request forState(const EditingState& state, const QString& term);
};

struct Result {
    // In search order, file by file and line by line. The hits point into texts, so a row is
    // good for as long as a Result holding these texts lives.
    QList<Row> rows;
    QList<QByteArray> texts; // the bytes of the files searched
    QString error;           // the file error that stopped the search; rows found before it stay
    bool finished() const { return error.isEmpty(); }
};

// Told each header line (the whole line, as stored) as the search passes it.
using HeaderSeen = std::function<void(EditingState::Role file, QByteArrayView headerLine)>;
using TextHeaderSeen = std::function<void(QByteArrayView headerLine)>;

// "Reference", "Source" or "Destination": the label the search shows for a file.
QString label(EditingState::Role file);

// The files a request searches, in order: the source is skipped when the reference was
// searched and has the same path (exact text); the destination is searched even when it
// repeats one of them.
QList<EditingState::Role> filesToSearch(const Request& request);

// The hits of term in text (a NUL ends it), upper-casing only "a" to "z" on both sides; the
// hits point into text. An empty term finds nothing.
QList<Hit> searchText(QByteArrayView text, QByteArrayView term, const TextHeaderSeen& headerSeen = {});

// Appends the hits of one file of the request to result. A missing file adds nothing; one
// that exists but cannot be read throws FileError ("Cannot open file").
void SearchLanguageFile(Result& result, const Request& request, EditingState::Role file,
                        const HeaderSeen& headerSeen = {});

// The whole search of the window's "Search" button; never throws.
Result search(const Request& request, const HeaderSeen& headerSeen = {});

} // namespace LanguageSearch
