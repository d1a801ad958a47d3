#include "LanguageSearch.h"

#include "FileError.h"
#include "LineScanner.h"
#include "SafeFile.h"

#include <QFileInfo>

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using LanguageSearch::Hit;
using HitFound = std::function<void(const Hit&)>;

// How much text is upper-cased at a time: little enough to stay in the cache, enough for
// many lines.
constexpr size_t RunSize = 64 * 1024;

// Where the next line begins after the line end at stop: CR LF, a CR alone and an LF alone
// each end a line.
size_t nextLine(const char* bytes, size_t stop, size_t end) {
    return stop + (stop + 1 < end && bytes[stop] == '\r' && bytes[stop + 1] == '\n' ? 2 : 1);
}

// The search upper-cases only "a" to "z": other letters must match in their own case.
// Sixteen bytes at a time where the processor allows, as every byte of the files passes here.
void fold(const char* in, size_t size, char* out) {
    size_t i = 0;
#if defined(__SSE2__)
    // Signed comparison: bytes from 0x80 on are negative, so never taken for letters.
    const __m128i beforeA = _mm_set1_epi8('a' - 1);
    const __m128i afterZ = _mm_set1_epi8('z' + 1);
    const __m128i caseBit = _mm_set1_epi8('a' - 'A');
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i lower = _mm_and_si128(_mm_cmpgt_epi8(chunk, beforeA), _mm_cmplt_epi8(chunk, afterZ));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_sub_epi8(chunk, _mm_and_si128(lower, caseBit)));
    }
#endif
    for (; i < size; ++i) {
        const char c = in[i];
        out[i] = static_cast<unsigned char>(c - 'a') < 26 ? char(c - ('a' - 'A')) : c;
    }
}

// Finds the term run by run: a run of whole lines is upper-cased into one buffer used again
// and again, the term is found in it by one fast scan, and only the lines where a match lies
// are looked at closely.
class Scanner {
public:
    Scanner(const char* bytes, QByteArrayView term, const HitFound& found,
            const LanguageSearch::TextHeaderSeen& headerSeen)
        : m_bytes(bytes), m_needle(term.size(), Qt::Uninitialized), m_found(found), m_headerSeen(headerSeen) {
        fold(term.data(), size_t(term.size()), m_needle.data());
    }

    void scan(size_t end) {
        for (size_t begin = 0; begin < end;) {
            const size_t runEnd = end - begin <= RunSize ? end : findLineEnd(m_bytes, begin + RunSize, end);
            scanRun(begin, runEnd);
            begin = nextLine(m_bytes, runEnd, end);
        }
    }

private:
    // Where the term next starts in [from, end) of the current run, or end.
    size_t find(size_t from, size_t end) const {
        const char* run = m_upper.constData() - m_base;
        const void* at = memmem(run + from, end - from, m_needle.constData(), size_t(m_needle.size()));
        return at ? size_t(static_cast<const char*>(at) - run) : end;
    }

    // The lines of [begin, end), which ends where a line ends.
    void scanRun(size_t begin, size_t end) {
        m_base = begin;
        if (size_t(m_upper.size()) < end - begin) {
            m_upper.resize(qsizetype(end - begin));
        }
        fold(m_bytes + begin, end - begin, m_upper.data());
        size_t next = find(begin, end);
        for (size_t line = begin; line < end;) {
            const size_t stop = findLineEnd(m_bytes, line, end);
            if (m_bytes[line] == '[') {
                // The last byte goes whatever it is, so "[Broken" names the section "Broke".
                m_section = stop - line >= 2 ? QByteArrayView(m_bytes + line + 1, qsizetype(stop - line - 2))
                                             : QByteArrayView();
                if (m_headerSeen) {
                    m_headerSeen(QByteArrayView(m_bytes + line, qsizetype(stop - line)));
                }
            } else if (next < stop) {
                checkLine(line, stop, next);
            }
            if (next < stop) {
                next = find(stop, end);
            }
            line = nextLine(m_bytes, stop, end);
        }
    }

    // A line [line, stop) in which a match starts at next: a hit when a match lies in its data.
    void checkLine(size_t line, size_t stop, size_t next) const {
        const void* equals = std::memchr(m_bytes + line, '=', stop - line);
        const size_t data = equals ? size_t(static_cast<const char*>(equals) - m_bytes) + 1 : line;
        const size_t found = next >= data ? next : find(data, stop);
        if (found + size_t(m_needle.size()) <= stop) {
            m_found({m_section, QByteArrayView(m_bytes + line, qsizetype(equals ? data - 1 - line : 0)),
                     QByteArrayView(m_bytes + data, qsizetype(stop - data))});
        }
    }

    const char* m_bytes;
    QByteArray m_needle;
    const HitFound& m_found;
    const LanguageSearch::TextHeaderSeen& m_headerSeen;
    QByteArray m_upper;
    size_t m_base = 0;
    QByteArrayView m_section;
};

void scanText(QByteArrayView text, QByteArrayView term, const HitFound& found,
              const LanguageSearch::TextHeaderSeen& headerSeen) {
    // An empty text may have no bytes at all, which memchr must not be given.
    if (term.isEmpty() || text.isEmpty()) {
        return;
    }
    const void* nul = std::memchr(text.data(), '\0', size_t(text.size()));
    const size_t end = nul ? size_t(static_cast<const char*>(nul) - text.data()) : size_t(text.size());
    Scanner(text.data(), term, found, headerSeen).scan(end);
}

} // namespace

namespace LanguageSearch {

Request Request::forState(const EditingState& state, const QString& term) {
    Request request;
    request.term = term;
    for (const EditingState::Role file : {EditingState::Reference, EditingState::Source, EditingState::Destination}) {
        request.paths[file] = state.path(file);
        request.codePages[file] = state.codePage(file);
    }
    return request;
}

QString label(EditingState::Role file) {
    switch (file) {
    case EditingState::Reference:
        return QStringLiteral("Reference");
    case EditingState::Source:
        return QStringLiteral("Source");
    case EditingState::Destination:
        break;
    }
    return QStringLiteral("Destination");
}

QList<EditingState::Role> filesToSearch(const Request& request) {
    QList<EditingState::Role> files;
    if (request.searched[EditingState::Reference]) {
        files.append(EditingState::Reference);
    }
    // The source is a repeat only when the reference was in fact searched.
    const bool sourceRepeats = request.searched[EditingState::Reference] &&
                               request.paths[EditingState::Source] == request.paths[EditingState::Reference];
    if (request.searched[EditingState::Source] && !sourceRepeats) {
        files.append(EditingState::Source);
    }
    if (request.searched[EditingState::Destination]) {
        files.append(EditingState::Destination);
    }
    return files;
}

QList<Hit> searchText(QByteArrayView text, QByteArrayView term, const TextHeaderSeen& headerSeen) {
    QList<Hit> hits;
    scanText(
        text, term, [&](const Hit& hit) { hits.append(hit); }, headerSeen);
    return hits;
}

void SearchLanguageFile(Result& result, const Request& request, EditingState::Role file, const HeaderSeen& headerSeen) {
    const QString& path = request.paths[file];
    // Only regular files: a folder of that name is as good as missing, and a pipe would
    // block the window.
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return;
    }
    const int codePage = request.codePages[file];
    // A term its code page cannot hold cannot be among the file's bytes either.
    const std::optional<QByteArray> term = CodePage::encode(request.term, codePage);
    if (!term) {
        return;
    }
    const qsizetype rowsBefore = result.rows.size();
    result.texts.append(SafeFile::readAll(path));
    scanText(
        result.texts.constLast(), *term,
        [&](const Hit& hit) {
            result.rows.append({file, codePage, hit});
        },
        [&](QByteArrayView line) {
            if (headerSeen) {
                headerSeen(file, line);
            }
        });
    if (result.rows.size() == rowsBefore) {
        result.texts.removeLast(); // no row points into it
    }
}

Result search(const Request& request, const HeaderSeen& headerSeen) {
    Result result;
    try {
        for (const EditingState::Role file : filesToSearch(request)) {
            SearchLanguageFile(result, request, file, headerSeen);
        }
    } catch (const FileError& error) {
        result.error = error.message();
    }
    return result;
}

} // namespace LanguageSearch
