#include "IniDocument.h"

#include "AnsiCase.h"
#include "FileError.h"
#include "FlatHashIndex.h"
#include "IniIntegerValue.h"
#include "LineScanner.h"
#include "RewriteGuard.h"
#include "SafeFile.h"
#include "ScopedCompactThreshold.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#if defined(__GNUC__)
#define TOLVANE_NO_INLINE __attribute__((noinline))
#else
#define TOLVANE_NO_INLINE
#endif

namespace {

// Byte positions below this bit are in the loaded text, positions with it in the arena.
constexpr uint32_t ArenaBit = 0x80000000u;
constexpr uint32_t NoValue = UINT32_MAX;
constexpr qsizetype MaxBufferSize = ArenaBit - 1;

struct Span {
    uint32_t pos = 0;
    uint32_t size = 0;
};

constexpr Span NoSpan{NoValue, 0};

// Marks a guessed line number that look-ups have not yet shown to be in their order; line
// numbers stay below it, as every line takes at least one byte of a text under 2 GB.
constexpr uint32_t GuessUnproven = 0x80000000u;

// A line is stored as one position: in the loaded text, where its trimmed bytes begin (key,
// value and end are found again from there, as loading found them); in the arena, a record
// of the key's size (NoValue for a line without "="), the value's size, then both.
// Deleted lines are NoValue until their section is compacted, so that deleting one moves no
// other line and renumbers nothing.
using Line = uint32_t;
constexpr uint32_t RecordHeader = 2 * sizeof(uint32_t);

// A line's parts; a line without "=" has its bytes in key and no value.
struct LineParts {
    QByteArrayView key;
    QByteArrayView value;
    bool hasValue = false;
};

// Whether a section's key index is built; copied with the section, atomic so that readers who
// build indexes at once stay well-defined.
struct BuiltFlag {
    std::atomic<bool> built{false};
    BuiltFlag() = default;
    // noexcept, so that a growing list of sections moves them rather than copying their lines.
    BuiltFlag(const BuiltFlag& other) noexcept : built(other.built.load(std::memory_order_relaxed)) {}
    BuiltFlag& operator=(const BuiltFlag& other) noexcept {
        built.store(other.built.load(std::memory_order_relaxed), std::memory_order_relaxed);
        return *this;
    }
};

struct Section {
    Span name;
    // Where the loaded text holds the section in its write-back form (size 0: it does not),
    // until the section changes.
    Span asWritten;
    uint32_t nameHash = 0;
    uint32_t deadLines = 0;
    std::vector<Line> lines;
    // Lines with "=" only, built on the first look-up that needs it (keysOf): look-ups in the
    // section's order find their lines without it.
    mutable FlatHashIndex keys;
    mutable BuiltFlag keysBuilt;
    // Some key may be on two lines, so the line after the last one found may not be the one
    // a look-up must give. Set when loading; writes add no second line of a key.
    bool keysRepeat = false;
    // Such lines come only from loading and go only with their section.
    bool hasLineWithoutValue = false;
    // Erased sections, like deleted lines, stay in place until the list is compacted.
    bool isErased() const { return name.pos == NoValue; }
    uint32_t liveLines() const { return uint32_t(lines.size()) - deadLines; }
};
static_assert(std::is_nothrow_move_constructible_v<Section>, "sections move when their list grows");

// Drawn from one counter for all documents, so that a handle of one document never
// matches another.
uint32_t nextGeneration() {
    static std::atomic<uint32_t> counter{0};
    return ++counter;
}

inline uint32_t hashOf(QByteArrayView name) {
    return AnsiCase::hash(name.data(), size_t(name.size()));
}

inline bool sameName(QByteArrayView a, QByteArrayView b) {
    return AnsiCase::equal(a.data(), size_t(a.size()), b.data(), size_t(b.size()));
}

uint32_t trimmedEnd(const char* text, uint32_t begin, uint32_t end) {
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return end;
}

// What the load rules make of one line of text[begin, end).
struct ParsedLine {
    enum Kind { Nothing, Header, Entry, Bare } kind = Nothing;
    uint32_t begin = 0; // of the name, the key or the bare line
    uint32_t end = 0;
    uint32_t valueBegin = 0;
    uint32_t valueEnd = 0;
};

ParsedLine parseLine(const char* text, uint32_t begin, uint32_t end) {
    ParsedLine parsed;
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    end = trimmedEnd(text, begin, end);
    if (begin == end || text[begin] == ';') {
        return parsed;
    }
    if (text[begin] == '[' && text[end - 1] == ']' && end - begin >= 2) {
        uint32_t nameBegin = begin + 1;
        while (nameBegin < end - 1 && isBlank(text[nameBegin])) {
            ++nameBegin;
        }
        return {ParsedLine::Header, nameBegin, trimmedEnd(text, nameBegin, end - 1), 0, 0};
    }
    const void* equals = std::memchr(text + begin, '=', end - begin);
    if (!equals) {
        return {ParsedLine::Bare, begin, end, 0, 0};
    }
    const uint32_t split = uint32_t(static_cast<const char*>(equals) - text);
    uint32_t valueBegin = split + 1;
    while (valueBegin < end && isBlank(text[valueBegin])) {
        ++valueBegin;
    }
    return {ParsedLine::Entry, begin, trimmedEnd(text, begin, split), valueBegin, end};
}

// Where the next line that may be a header starts, from a line start or from just after a "["
// that began none: a header line holds nothing but blanks before its "[", so the search runs from
// one "[" to the next at memchr speed. end when there is none.
uint32_t nextHeaderLine(const char* text, uint32_t from, uint32_t end) {
    while (from < end) {
        const void* found = std::memchr(text + from, '[', end - from);
        if (!found) {
            break;
        }
        const uint32_t open = uint32_t(static_cast<const char*>(found) - text);
        uint32_t lineStart = open;
        while (lineStart > 0 && isBlank(text[lineStart - 1]) && text[lineStart - 1] != '\r' &&
               text[lineStart - 1] != '\n') {
            --lineStart;
        }
        if (lineStart == 0 || text[lineStart - 1] == '\r' || text[lineStart - 1] == '\n') {
            return lineStart;
        }
        from = open + 1;
    }
    return end;
}

// Where a NUL ends the text, else its size.
qsizetype textSize(const QByteArray& text) {
    const void* nul = std::memchr(text.constData(), '\0', size_t(text.size()));
    return nul ? static_cast<const char*>(nul) - text.constData() : text.size();
}

} // namespace

struct IniDocument::Data {
    QString fileName;
    // Why the file it was loaded from must not be rewritten (RewriteGuard); empty when it may.
    QString rewriteRefusal;
    QByteArray text;      // the loaded bytes, never changed afterwards
    uint32_t textEnd = 0; // where a NUL ended them
    QByteArray arena;     // bytes written since the load
    qsizetype arenaLive = 0;
    std::vector<Section> sections;
    FlatHashIndex sectionIndex;
    uint32_t erasedSections = 0;
    uint32_t generation = nextGeneration();
    // The line after the last one a look-up found, in whatever section, with GuessUnproven
    // unless the look-up before found the line before it. Atomic only so that concurrent
    // readers stay well-defined.
    mutable std::atomic<uint32_t> nextLine{GuessUnproven};
    mutable std::mutex keysMutex;

    const char* at(uint32_t pos) const {
        return (pos & ArenaBit) ? arena.constData() + (pos & ~ArenaBit) : text.constData() + pos;
    }
    QByteArrayView view(Span span) const { return QByteArrayView(at(span.pos), span.size); }
    QByteArray bytes(Span span) const { return QByteArray(at(span.pos), span.size); }

    uint32_t arenaEnd(qsizetype adding) const {
        // Keeps every position below NoValue, which marks removed lines and sections.
        if (arena.size() + adding >= MaxBufferSize) {
            throw std::length_error("IniDocument: too much text written");
        }
        return uint32_t(arena.size()) | ArenaBit;
    }
    // Room for size more bytes at the arena's end, for the caller to fill.
    char* grow(qsizetype size) {
        const qsizetype end = arena.size();
        arena.resize(end + size);
        arenaLive += size;
        return arena.data() + end;
    }
    static char* copy(char* out, QByteArrayView bytes) {
        if (!bytes.isEmpty()) {
            std::memcpy(out, bytes.data(), size_t(bytes.size()));
        }
        return out + bytes.size();
    }
    Span store(QByteArrayView bytes) {
        const Span span{arenaEnd(bytes.size()), uint32_t(bytes.size())};
        copy(grow(bytes.size()), bytes);
        return span;
    }
    // An entry, or with keySize NoValue a line without "=", its bytes in value.
    Line storeRecord(uint32_t keySize, QByteArrayView key, QByteArrayView value) {
        const qsizetype size = RecordHeader + key.size() + value.size();
        const Line line = arenaEnd(size);
        const uint32_t header[2] = {keySize, uint32_t(value.size())};
        char* out = grow(size);
        std::memcpy(out, header, RecordHeader);
        copy(copy(out + RecordHeader, key), value);
        return line;
    }
    Line storeBare(QByteArrayView bytes) { return storeRecord(NoValue, {}, bytes); }
    Line storeEntry(QByteArrayView key, QByteArrayView value) { return storeRecord(uint32_t(key.size()), key, value); }
    uint32_t recordSize(Line line) const {
        uint32_t header[2];
        std::memcpy(header, at(line), RecordHeader);
        return RecordHeader + (header[0] == NoValue ? 0 : header[0]) + header[1];
    }
    void release(Span span) {
        if (span.pos != NoValue && (span.pos & ArenaBit)) {
            arenaLive -= span.size;
        }
    }
    void release(Line line) {
        if (line != NoValue && (line & ArenaBit)) {
            arenaLive -= recordSize(line);
        }
    }

    LineParts parts(Line line) const {
        const char* base = at(line);
        if (line & ArenaBit) {
            uint32_t header[2];
            std::memcpy(header, base, RecordHeader);
            const char* bytes = base + RecordHeader;
            if (header[0] == NoValue) {
                return {QByteArrayView(bytes, header[1]), QByteArrayView(), false};
            }
            return {QByteArrayView(bytes, header[0]), QByteArrayView(bytes + header[0], header[1]), true};
        }
        const char* bytes = text.constData();
        const uint32_t stop = uint32_t(findKeyEnd(bytes, line, textEnd));
        if (stop == textEnd || bytes[stop] != '=') {
            return {QByteArrayView(base, trimmedEnd(bytes, line, stop) - line), QByteArrayView(), false};
        }
        const uint32_t valueEnd = trimmedEnd(bytes, stop + 1, uint32_t(findLineEnd(bytes, stop + 1, textEnd)));
        uint32_t valueBegin = stop + 1;
        while (valueBegin < valueEnd && isBlank(bytes[valueBegin])) {
            ++valueBegin;
        }
        return {QByteArrayView(base, trimmedEnd(bytes, line, stop) - line),
                QByteArrayView(bytes + valueBegin, valueEnd - valueBegin), true};
    }
    // The size of a loaded line with its CR LF when the text holds it in write-back form
    // (key "=" value, or the bare line, then CR LF), else 0.
    size_t asWritten(Line line, const LineParts& parts) const {
        if (line & ArenaBit) {
            return 0;
        }
        const char* end =
            parts.hasValue ? parts.value.data() + parts.value.size() : parts.key.data() + parts.key.size();
        const bool joined = !parts.hasValue || parts.key.data() + parts.key.size() + 1 == parts.value.data();
        const char* textEndAt = text.constData() + textEnd;
        return joined && end + 2 <= textEndAt && end[0] == '\r' && end[1] == '\n' ? size_t(end + 2 - parts.key.data())
                                                                                  : 0;
    }
    // The key of a line with "=", without finding its value.
    QByteArrayView key(Line line) const {
        if (line & ArenaBit) {
            uint32_t keySize;
            std::memcpy(&keySize, at(line), sizeof keySize);
            return QByteArrayView(at(line) + RecordHeader, keySize);
        }
        const uint32_t stop = uint32_t(findKeyEnd(text.constData(), line, textEnd));
        return QByteArrayView(at(line), trimmedEnd(text.constData(), line, stop) - line);
    }

    uint32_t findSection(QByteArrayView name) const { return findSection(name, hashOf(name)); }
    uint32_t findSection(QByteArrayView name, uint32_t hash) const {
        return sectionIndex.find(hash, [&](uint32_t number) { return sameName(view(sections[number].name), name); });
    }
    const Section* section(const QByteArray& name) const {
        const uint32_t number = findSection(name);
        return number == FlatHashIndex::None ? nullptr : &sections[number];
    }
    const Section* section(uint32_t number, uint32_t handleGeneration) const {
        return handleGeneration == generation && number < sections.size() ? &sections[number] : nullptr;
    }
    uint32_t findLine(const Section& section, QByteArrayView key, uint32_t hash) const {
        return keysOf(section).find(hash,
                                    [&](uint32_t number) { return sameName(this->key(section.lines[number]), key); });
    }
    // The value of the key's last line, null when the key is missing.
    TOLVANE_HOT_INLINE QByteArrayView value(const Section* section, QByteArrayView key) const {
        if (!section) {
            return {};
        }
        // Keys are mostly looked up in the order their section holds them (the languages of a
        // file share it), so once two look-ups found neighbouring lines, the line after the last
        // one found is tried before the index: while no key is repeated, a line with the key is
        // the one the index would give.
        const uint32_t next = nextLine.load(std::memory_order_relaxed);
        if (!(next & GuessUnproven) && !section->keysRepeat && next < section->lines.size()) {
            const Line line = section->lines[next];
            if (!(line & ArenaBit)) { // a loaded line, neither written nor deleted
                const QByteArrayView found = loadedValueOf(line, key);
                if (!found.isNull()) {
                    nextLine.store(next + 1, std::memory_order_relaxed);
                    return found;
                }
            }
        }
        return valueMissed(*section, key, next);
    }
    // The rest of value(), kept apart so that the guess stays small where it is inlined.
    TOLVANE_NO_INLINE QByteArrayView valueMissed(const Section& section, QByteArrayView key, uint32_t next) const {
        // Until a look-up needs the index it is not built, so the guess is then tried even
        // unproven, and the section's first line after it; a written line, the guess as ever.
        const bool built = section.keysBuilt.built.load(std::memory_order_acquire);
        const uint32_t guess = next & ~GuessUnproven;
        if (!section.keysRepeat) {
            const bool writtenGuess =
                !(next & GuessUnproven) && guess < section.lines.size() && (section.lines[guess] & ArenaBit);
            const std::pair<uint32_t, bool> candidates[] = {{guess, !built || writtenGuess},
                                                            {0u, !built && guess != 0}};
            for (const auto& [number, tried] : candidates) {
                const QByteArrayView found = tried ? valueAt(section, number, key) : QByteArrayView();
                if (!found.isNull()) {
                    nextLine.store(number + 1, std::memory_order_relaxed);
                    return found;
                }
            }
        }
        QByteArrayView found;
        const uint32_t number = keysOf(section).find(hashOf(key), [&](uint32_t other) {
            found = valueOf(section.lines[other], key);
            return !found.isNull();
        });
        if (number == FlatHashIndex::None) {
            return {};
        }
        nextLine.store(number == guess ? number + 1 : (number + 1) | GuessUnproven, std::memory_order_relaxed);
        return found;
    }
    // The value of line number if it holds the key, else null.
    QByteArrayView valueAt(const Section& section, uint32_t number, QByteArrayView key) const {
        return number < section.lines.size() && section.lines[number] != NoValue ? valueOf(section.lines[number], key)
                                                                                 : QByteArrayView();
    }
    // The line's value when it has "=" and its key is key, else null; a loaded line is read
    // once, from its start to its end.
    QByteArrayView valueOf(Line line, QByteArrayView key) const {
        if (line & ArenaBit) {
            const LineParts found = parts(line);
            return sameName(found.key, key) ? found.value : QByteArrayView();
        }
        return loadedValueOf(line, key);
    }
    TOLVANE_HOT_INLINE QByteArrayView loadedValueOf(Line line, QByteArrayView key) const {
        const char* bytes = text.constData();
        const LineStops stops = findLineStops(bytes, line, textEnd);
        const uint32_t split = uint32_t(stops.equals);
        if (split == stops.end || trimmedEnd(bytes, line, split) - line != uint32_t(key.size()) ||
            !AnsiCase::equal(bytes + line, size_t(key.size()), key.data(), size_t(key.size()))) {
            return {};
        }
        const uint32_t valueEnd = trimmedEnd(bytes, split + 1, uint32_t(stops.end));
        uint32_t valueBegin = split + 1;
        while (valueBegin < valueEnd && isBlank(bytes[valueBegin])) {
            ++valueBegin;
        }
        return QByteArrayView(bytes + valueBegin, valueEnd - valueBegin);
    }

    auto keyHashes(const Section& section) const {
        return [this, &section](uint32_t number) { return hashOf(key(section.lines[number])); };
    }
    void indexKey(Section& section, uint32_t number, uint32_t hash) {
        keysOf(section).assign(
            hash, number,
            [&](uint32_t other) { return sameName(key(section.lines[other]), key(section.lines[number])); },
            keyHashes(section));
    }
    void indexSection(uint32_t number) {
        const QByteArrayView name = view(sections[number].name);
        sectionIndex.assign(
            sections[number].nameHash, number,
            [&](uint32_t other) { return sameName(view(sections[other].name), name); },
            [this](uint32_t other) { return sections[other].nameHash; });
    }
    // The key of a line with "=", null for a line without one.
    QByteArrayView entryKey(Line line) const {
        if (line & ArenaBit) {
            uint32_t keySize;
            std::memcpy(&keySize, at(line), sizeof keySize);
            return keySize == NoValue ? QByteArrayView() : QByteArrayView(at(line) + RecordHeader, keySize);
        }
        const uint32_t stop = uint32_t(findKeyEnd(text.constData(), line, textEnd));
        if (stop == textEnd || text.constData()[stop] != '=') {
            return {};
        }
        return QByteArrayView(at(line), trimmedEnd(text.constData(), line, stop) - line);
    }
    // The section's key index, built on first need.
    const FlatHashIndex& keysOf(const Section& section) const {
        if (!section.keysBuilt.built.load(std::memory_order_acquire)) {
            const std::lock_guard<std::mutex> lock(keysMutex);
            if (!section.keysBuilt.built.load(std::memory_order_relaxed)) {
                indexLines(section);
            }
        }
        return section.keys;
    }
    FlatHashIndex& keysOf(Section& section) {
        return const_cast<FlatHashIndex&>(static_cast<const Data*>(this)->keysOf(section));
    }
    void indexLines(const Section& section) const {
        std::vector<uint32_t> hashes(section.lines.size(), NoValue);
        for (uint32_t i = 0; i < section.lines.size(); ++i) {
            if (section.lines[i] != NoValue) {
                const QByteArrayView key = entryKey(section.lines[i]);
                if (!key.isNull()) {
                    hashes[i] = hashOf(key);
                }
            }
        }
        section.keys.resetFor(section.lines.size());
        section.keys.fill(
            hashes.data(), uint32_t(hashes.size()),
            // A real hash may equal NoValue too: such a line is then looked at again.
            [&](uint32_t i) {
                return hashes[i] != NoValue || (section.lines[i] != NoValue && !entryKey(section.lines[i]).isNull());
            },
            [&](uint32_t number, uint32_t other) {
                return sameName(key(section.lines[other]), key(section.lines[number]));
            });
        section.keysBuilt.built.store(true, std::memory_order_release);
    }

    void reset() {
        text.clear();
        textEnd = 0;
        // Kept for the next load: a document that serves file after file writes into the same pages.
        arena.resize(0);
        arenaLive = 0;
        sections.clear();
        sectionIndex.clear();
        erasedSections = 0;
        generation = nextGeneration();
    }

    // Mostly a little more than the write-back form takes: a loaded line grows by at most its
    // CR LF, a section by its brackets and empty line, and the arena's records hold more than
    // their lines.
    qsizetype writtenSizeGuess() const {
        qsizetype size = qsizetype(textEnd) + arena.size();
        for (const Section& section : sections) {
            size += 6 + 2 * qsizetype(section.lines.size());
        }
        return size;
    }

    // The section a write goes to: the last of that name, or a new one at the end.
    Section& sectionToWrite(const QByteArray& name);
    // Hands the write-back form to put(const char*, size_t) piece by piece.
    template <class Put> void writeText(Put&& put) const;
    void compactArena();
    void compactLines(Section& section);
    void compactSections();
    // Loads the text up to size, where a NUL may end it.
    void loadText(const QByteArray& loaded, qsizetype size, QByteArrayView onlySection);
    class Loader;
};

// Applies the load rules to the lines of a text kept in one buffer, or to lines given apart,
// which are stored in the arena.
class IniDocument::Data::Loader {
public:
    // With onlySection, every section of another name is left out.
    explicit Loader(Data& data, QByteArrayView onlySection = {}) : m_data(data), m_only(onlySection) {}

    bool inSection() const { return m_inSection; }

    // Reads the line of the text that starts at begin and returns where the next one starts.
    // An entry, the usual line, is scanned once: up to its "=", then on to its end.
    uint32_t addTextLine(uint32_t begin, uint32_t end) {
        const char* text = m_data.text.constData();
        uint32_t first = begin;
        while (first < end && isBlank(text[first]) && text[first] != '\r' && text[first] != '\n') {
            ++first;
        }
        if (m_inSection && first < end && !isBlank(text[first]) && text[first] != ';' && text[first] != '[') {
            const LineStops stops = findLineStops(text, first, end);
            const uint32_t stop = uint32_t(stops.equals);
            const uint32_t lineEnd = uint32_t(stops.end);
            if (stop != lineEnd) {
                const uint32_t keyEnd = trimmedEnd(text, first, stop);
                add(first, AnsiCase::hash(text + first, keyEnd - first));
                const bool bareValue = lineEnd == stop + 1 || (!isBlank(text[stop + 1]) && !isBlank(text[lineEnd - 1]));
                return lineDone(begin, lineEnd, end, ParsedLine::Entry, first == begin && keyEnd == stop && bareValue);
            }
            add(first, NoValue);
            return lineDone(begin, lineEnd, end, ParsedLine::Bare, first == begin && !isBlank(text[lineEnd - 1]));
        }
        const uint32_t stop = uint32_t(findLineEnd(text, begin, end));
        const ParsedLine parsed = parseLine(text, begin, stop);
        if (parsed.kind == ParsedLine::Header) {
            startSection({parsed.begin, parsed.end - parsed.begin});
        } else if (parsed.kind != ParsedLine::Nothing && m_inSection) {
            add(parsed.begin, parsed.kind == ParsedLine::Entry
                                  ? AnsiCase::hash(text + parsed.begin, parsed.end - parsed.begin)
                                  : NoValue);
        }
        // Only a header can be in write-back form here: other lines that begin with "[" or
        // blanks are not.
        return lineDone(begin, stop, end, parsed.kind,
                        parsed.kind == ParsedLine::Header && parsed.begin == begin + 1 && parsed.end + 1 == stop);
    }

    void addStoredLine(const QByteArray& line) {
        const char* text = line.constData();
        const ParsedLine parsed = parseLine(text, 0, uint32_t(line.size()));
        if (parsed.kind == ParsedLine::Header) {
            startSection(m_data.store(QByteArrayView(text + parsed.begin, parsed.end - parsed.begin)));
        } else if (parsed.kind == ParsedLine::Bare && m_inSection) {
            add(m_data.storeBare(QByteArrayView(text + parsed.begin, parsed.end - parsed.begin)), NoValue);
        } else if (parsed.kind == ParsedLine::Entry && m_inSection) {
            const QByteArrayView key(text + parsed.begin, parsed.end - parsed.begin);
            add(m_data.storeEntry(key, QByteArrayView(text + parsed.valueBegin, parsed.valueEnd - parsed.valueBegin)),
                hashOf(key));
        }
    }

    void finish() { finishSection(); }

private:
    void startSection(Span name) {
        finishSection();
        const QByteArrayView bytes = m_data.view(name);
        if (!m_only.isEmpty() && !sameName(bytes, m_only)) {
            m_inSection = false;
            return;
        }
        Section section;
        section.name = name;
        section.nameHash = hashOf(bytes);
        m_data.sections.push_back(std::move(section));
        m_data.indexSection(uint32_t(m_data.sections.size() - 1));
        m_inSection = true;
    }

    // Follows whether the current section's lines in the text are its write-back form, so
    // that writing it back can copy them as they lie: "[name]", the lines, an empty line, each
    // ending in CR LF, nothing trimmed away, nothing left out in between. inWriteForm tells
    // whether the line itself is in that form.
    uint32_t lineDone(uint32_t begin, uint32_t stop, uint32_t end, ParsedLine::Kind kind, bool inWriteForm) {
        const char* text = m_data.text.constData();
        const bool crLf = stop + 1 < end && text[stop] == '\r' && text[stop + 1] == '\n';
        const uint32_t next = crLf ? stop + 2 : stop + 1;
        if (!m_inSection) {
            return next;
        }
        if (kind == ParsedLine::Header) {
            m_asWritten = inWriteForm && crLf;
            m_regionBegin = begin;
            m_closed = false;
        } else if (kind != ParsedLine::Nothing) {
            m_asWritten = m_asWritten && !m_closed && begin == m_next && inWriteForm && crLf;
        } else if (!m_closed) {
            // The empty line that ends the section; what follows it is no part of it.
            m_asWritten = m_asWritten && begin == m_next && begin == stop && crLf;
            m_closed = true;
            m_regionEnd = next;
        }
        m_next = next;
        return next;
    }

    // keyHash is NoValue for a line without "=".
    void add(Line line, uint32_t keyHash) {
        m_lines.push_back(line);
        m_hashes.push_back(keyHash);
        m_withoutValue = m_withoutValue || keyHash == NoValue;
    }

    // Lines are gathered apart so that each section's list is allocated once at its exact size.
    void finishSection() {
        if (!m_inSection) {
            return;
        }
        Section& section = m_data.sections.back();
        if (m_asWritten && m_closed) {
            section.asWritten = {m_regionBegin, m_regionEnd - m_regionBegin};
        }
        m_asWritten = false;
        section.lines.assign(m_lines.begin(), m_lines.end());
        section.hasLineWithoutValue = m_withoutValue;
        // Only whether a key repeats is kept: the index itself waits for a look-up out of order.
        m_seen.resetFor(m_lines.size());
        m_seen.fill(
            m_hashes.data(), uint32_t(m_hashes.size()),
            // A real hash may equal NoValue too: such a line is then looked at again.
            [&](uint32_t i) { return m_hashes[i] != NoValue || m_data.parts(m_lines[i]).hasValue; },
            [&](uint32_t number, uint32_t other) {
                return sameName(m_data.key(m_lines[other]), m_data.key(m_lines[number]));
            });
        section.keysRepeat = m_seen.hidesAny();
        m_lines.clear();
        m_hashes.clear();
        m_withoutValue = false;
    }

    Data& m_data;
    QByteArrayView m_only;
    std::vector<Line> m_lines;
    std::vector<uint32_t> m_hashes;
    FlatHashIndex m_seen; // one table for every section, small enough to stay in cache
    bool m_withoutValue = false;
    bool m_inSection = false;
    bool m_asWritten = false;
    bool m_closed = false;
    uint32_t m_regionBegin = 0;
    uint32_t m_regionEnd = 0;
    uint32_t m_next = 0;
};

void IniDocument::Data::compactArena() {
    QByteArray compacted;
    compacted.reserve(arenaLive);
    auto moveName = [&](Span& span) {
        if (span.pos != NoValue && (span.pos & ArenaBit)) {
            const uint32_t pos = uint32_t(compacted.size()) | ArenaBit;
            compacted.append(at(span.pos), span.size);
            span.pos = pos;
        }
    };
    for (Section& section : sections) {
        moveName(section.name);
        for (Line& line : section.lines) {
            if (line != NoValue && (line & ArenaBit)) {
                const Line moved = uint32_t(compacted.size()) | ArenaBit;
                compacted.append(at(line), recordSize(line));
                line = moved;
            }
        }
    }
    arena = compacted;
    arenaLive = arena.size();
}

// Runs once dead lines outnumber live ones, so its cost is shared by the deletions before it.
void IniDocument::Data::compactLines(Section& section) {
    section.lines.erase(std::remove(section.lines.begin(), section.lines.end(), NoValue), section.lines.end());
    section.deadLines = 0;
    indexLines(section);
}

void IniDocument::Data::compactSections() {
    sections.erase(
        std::remove_if(sections.begin(), sections.end(), [](const Section& section) { return section.isErased(); }),
        sections.end());
    erasedSections = 0;
    sectionIndex.resetFor(sections.size());
    for (uint32_t i = 0; i < sections.size(); ++i) {
        indexSection(i);
    }
}

IniDocument::IniDocument() : d(std::make_unique<Data>()) {}

IniDocument::IniDocument(const QString& fileName) : IniDocument() {
    d->fileName = fileName;
    if (!fileName.isEmpty() && QFileInfo::exists(fileName)) {
        const QByteArray bytes = SafeFile::readAll(fileName);
        const qsizetype size = textSize(bytes);
        d->rewriteRefusal = RewriteGuard::refusal(bytes, size);
        d->loadText(bytes, size, {});
    }
}

IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

const QString& IniDocument::fileName() const {
    return d->fileName;
}

void IniDocument::setFileName(const QString& fileName) {
    if (fileName != d->fileName) {
        d->rewriteRefusal.clear();
    }
    d->fileName = fileName;
}

const QString& IniDocument::rewriteRefusal() const {
    return d->rewriteRefusal;
}

QByteArray IniDocument::readString(const QByteArray& section, const QByteArray& key,
                                   const QByteArray& defaultValue) const {
    const QByteArrayView value = d->value(d->section(section), key);
    return value.isNull() ? defaultValue : value.toByteArray();
}

IniDocument::SectionRef IniDocument::findSection(QByteArrayView name) const {
    const uint32_t number = d->findSection(name);
    return number == FlatHashIndex::None ? SectionRef() : SectionRef(number, d->generation);
}

QByteArrayView IniDocument::valueView(SectionRef section, QByteArrayView key) const {
    return d->value(d->section(section.m_number, section.m_generation), key);
}

bool IniDocument::containsKey(SectionRef section, QByteArrayView key) const {
    return !valueView(section, key).isNull();
}

QByteArray IniDocument::readString(SectionRef section, QByteArrayView key, const QByteArray& defaultValue) const {
    const QByteArrayView value = valueView(section, key);
    return value.isNull() ? defaultValue : value.toByteArray();
}

QList<IniDocument::LineView> IniDocument::lineViews(SectionRef section) const {
    QList<LineView> views;
    if (const Section* found = d->section(section.m_number, section.m_generation)) {
        views.reserve(qsizetype(found->liveLines()));
        for (const Line line : found->lines) {
            if (line == NoValue) {
                continue;
            }
            const LineParts parts = d->parts(line);
            if (parts.hasValue) {
                views.append({parts.key, parts.value, QByteArrayView()});
            } else {
                views.append({QByteArrayView(parts.key.data(), qsizetype(0)), QByteArrayView(), parts.key});
            }
        }
    }
    return views;
}

int IniDocument::distinctKeyCount(SectionRef section) const {
    const Section* found = d->section(section.m_number, section.m_generation);
    if (!found) {
        return 0;
    }
    // The index holds one entry per distinct key of the lines with "=".
    int count = int(d->keysOf(*found).size());
    if (found->hasLineWithoutValue &&
        d->findLine(*found, QByteArrayView("", 0), hashOf(QByteArrayView("", 0))) == FlatHashIndex::None) {
        ++count;
    }
    return count;
}

int IniDocument::readInteger(const QByteArray& section, const QByteArray& key, int defaultValue) const {
    return IniIntegerValue::parse(readString(section, key), defaultValue);
}

Section& IniDocument::Data::sectionToWrite(const QByteArray& name) {
    const uint32_t hash = AnsiCase::hash(name.constData(), name.size());
    uint32_t number = findSection(name, hash);
    if (number == FlatHashIndex::None) {
        Section added;
        added.name = store(name);
        added.nameHash = hash;
        sections.push_back(std::move(added));
        number = uint32_t(sections.size() - 1);
        indexSection(number);
    }
    return sections[number];
}

void IniDocument::writeString(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    Section& target = d->sectionToWrite(section);
    target.asWritten = {};
    const Line stored = d->storeEntry(key, value);
    const uint32_t hash = hashOf(key);
    const uint32_t lineNumber = d->findLine(target, key, hash);
    if (lineNumber != FlatHashIndex::None) {
        d->release(target.lines[lineNumber]);
        target.lines[lineNumber] = stored;
    } else {
        target.lines.push_back(stored);
        d->indexKey(target, uint32_t(target.lines.size() - 1), hash);
    }
    if (d->arena.size() > ScopedCompactThreshold::current() && d->arena.size() > 2 * d->arenaLive) {
        d->compactArena();
    }
}

void IniDocument::writeLine(const QByteArray& section, const LineView& line) {
    if (line.bare.isNull()) {
        writeString(section, QByteArray::fromRawData(line.key.data(), line.key.size()),
                    QByteArray::fromRawData(line.value.data(), line.value.size()));
        return;
    }
    Section& target = d->sectionToWrite(section);
    target.asWritten = {};
    target.lines.push_back(d->storeBare(line.bare));
    target.hasLineWithoutValue = true;
}

bool IniDocument::hasSection(const QByteArray& section) const {
    return d->section(section) != nullptr;
}

bool IniDocument::hasKey(const QByteArray& section, const QByteArray& key) const {
    return !d->value(d->section(section), key).isNull();
}

QList<QByteArray> IniDocument::sections() const {
    QList<QByteArray> names;
    names.reserve(qsizetype(d->sections.size() - d->erasedSections));
    for (const Section& section : d->sections) {
        if (!section.isErased()) {
            names.append(d->bytes(section.name));
        }
    }
    return names;
}

QList<IniDocument::SectionRef> IniDocument::sectionRefs() const {
    QList<SectionRef> refs;
    refs.reserve(qsizetype(d->sections.size() - d->erasedSections));
    for (uint32_t i = 0; i < d->sections.size(); ++i) {
        if (!d->sections[i].isErased()) {
            refs.append(SectionRef(i, d->generation));
        }
    }
    return refs;
}

QByteArrayView IniDocument::sectionName(SectionRef section) const {
    const Section* found = d->section(section.m_number, section.m_generation);
    return found && !found->isErased() ? d->view(found->name) : QByteArrayView();
}

QList<QByteArray> IniDocument::keys(const QByteArray& section) const {
    QList<QByteArray> keys;
    if (const Section* found = d->section(section)) {
        keys.reserve(qsizetype(found->liveLines()));
        for (const Line line : found->lines) {
            if (line != NoValue) {
                const LineParts parts = d->parts(line);
                keys.append(parts.hasValue ? parts.key.toByteArray() : QByteArray());
            }
        }
    }
    return keys;
}

QList<QByteArray> IniDocument::lines(const QByteArray& section) const {
    QList<QByteArray> lines;
    if (const Section* found = d->section(section)) {
        lines.reserve(qsizetype(found->liveLines()));
        for (const Line line : found->lines) {
            if (line == NoValue) {
                continue;
            }
            const LineParts parts = d->parts(line);
            QByteArray text = parts.key.toByteArray();
            if (parts.hasValue) {
                text += '=';
                text += parts.value;
            }
            lines.append(text);
        }
    }
    return lines;
}

void IniDocument::deleteKey(const QByteArray& section, const QByteArray& key) {
    const uint32_t sectionNumber = d->findSection(section);
    if (sectionNumber == FlatHashIndex::None) {
        return;
    }
    Section& target = d->sections[sectionNumber];
    const uint32_t hash = AnsiCase::hash(key.constData(), key.size());
    const uint32_t number = d->findLine(target, key, hash);
    if (number == FlatHashIndex::None) {
        return;
    }
    d->release(target.lines[number]);
    target.lines[number] = NoValue;
    target.asWritten = {};
    // An earlier line with the same key now answers the look-up.
    d->keysOf(target).remove(hash, number, d->keyHashes(target));
    if (++target.deadLines * 2 > target.lines.size()) {
        d->compactLines(target);
    }
}

void IniDocument::eraseSection(const QByteArray& section) {
    const uint32_t hash = AnsiCase::hash(section.constData(), section.size());
    const uint32_t number = d->findSection(section, hash);
    if (number == FlatHashIndex::None) {
        return;
    }
    Section& target = d->sections[number];
    d->release(target.name);
    for (const Line line : target.lines) {
        d->release(line);
    }
    target = Section();
    target.name = NoSpan;
    d->generation = nextGeneration();
    d->sectionIndex.remove(hash, number, [&](uint32_t other) { return d->sections[other].nameHash; });
    if (++d->erasedSections * 2 > d->sections.size()) {
        d->compactSections();
    }
}

void IniDocument::clear() {
    d->reset();
}

void IniDocument::setFromLines(const QList<QByteArray>& lines) {
    qsizetype size = 0;
    for (const QByteArray& line : lines) {
        size += line.size();
    }
    if (size > MaxBufferSize) {
        throw FileError::tooLarge(d->fileName); // positions are 32-bit
    }
    d->reset();
    // Lines given apart may hold line breaks and NULs, so each is stored with its sizes.
    d->arena.reserve(std::min(MaxBufferSize, size + lines.size() * qsizetype(RecordHeader)));
    Data::Loader loader(*d);
    for (const QByteArray& line : lines) {
        loader.addStoredLine(line);
    }
    loader.finish();
}

void IniDocument::setFromText(const QByteArray& text, QByteArrayView onlySection) {
    d->loadText(text, textSize(text), onlySection);
}

void IniDocument::Data::loadText(const QByteArray& loaded, qsizetype size, QByteArrayView onlySection) {
    if (size > MaxBufferSize) {
        throw FileError::tooLarge(fileName); // positions are 32-bit
    }
    reset();
    text = loaded; // shared, not copied
    textEnd = uint32_t(size);
    const char* bytes = text.constData();
    Loader loader(*this, onlySection);
    const uint32_t end = uint32_t(size);
    uint32_t begin = 0;
    while (begin < end) {
        if (!onlySection.isEmpty() && !loader.inSection()) {
            // Outside the wanted sections only a header line can change anything.
            begin = nextHeaderLine(bytes, begin, end);
            if (begin == end) {
                break;
            }
        }
        begin = loader.addTextLine(begin, end);
    }
    loader.finish();
    sections.shrink_to_fit();
}

template <class Put> void IniDocument::Data::writeText(Put&& put) const {
    for (const Section& section : sections) {
        if (section.isErased()) {
            continue;
        }
        if (section.asWritten.size != 0) {
            put(at(section.asWritten.pos), section.asWritten.size);
            continue;
        }
        put("[", 1);
        put(at(section.name.pos), section.name.size);
        put("]\r\n", 3);
        for (const Line line : section.lines) {
            if (line == NoValue) {
                continue;
            }
            const LineParts parts = this->parts(line);
            if (const size_t size = asWritten(line, parts)) {
                put(parts.key.data(), size);
                continue;
            }
            put(parts.key.data(), size_t(parts.key.size()));
            if (parts.hasValue) {
                put("=", 1);
                put(parts.value.data(), size_t(parts.value.size()));
            }
            put("\r\n", 2);
        }
        put("\r\n", 2);
    }
}

QByteArray IniDocument::toText() const {
    QByteArray text;
    toText(text);
    return text;
}

void IniDocument::toText(QByteArray& text) const {
    // One pass into room guessed from above, growing should the guess fall short: a pass of its
    // own to count would find every line's parts twice.
    qsizetype used = 0;
    text.resize(d->writtenSizeGuess());
    char* out = text.data();
    d->writeText([&](const char* bytes, size_t count) {
        if (qsizetype(count) > text.size() - used) {
            text.resize(std::max(2 * text.size(), used + qsizetype(count)));
            out = text.data() + used;
        }
        std::memcpy(out, bytes, count);
        out += count;
        used += qsizetype(count);
    });
    text.resize(used);
}

void IniDocument::writeBack() const {
    // Streamed into the file, so that no second copy of the text stays in memory.
    SafeFile::writeAll(d->fileName, [&](SafeFile::Stream& stream) {
        d->writeText([&](const char* bytes, size_t count) { stream.write(bytes, qsizetype(count)); });
    });
}
