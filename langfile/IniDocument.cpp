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
#include <stdexcept>
#include <vector>

namespace {

// Byte positions below this bit are in the loaded text, positions with it in the arena.
constexpr uint32_t ArenaBit = 0x80000000u;
constexpr uint32_t NoValue = UINT32_MAX;
constexpr qsizetype MaxBufferSize = ArenaBit - 1;

struct Span {
    uint32_t pos = 0;
    uint32_t size = 0;
};

// A stored line: key "=" value, or, when value.pos is NoValue, a line without "=" held in key.
struct Line {
    Span key;
    Span value;
    bool hasValue() const { return value.pos != NoValue; }
    // Deleted lines stay in place until their section is compacted, so that deleting one
    // moves no other line and renumbers nothing.
    bool isDead() const { return key.pos == NoValue; }
};

constexpr Span NoSpan{NoValue, 0};

struct Section {
    Span name;
    uint32_t nameHash = 0;
    std::vector<Line> lines;
    FlatHashIndex keys; // lines with "=" only
    uint32_t deadLines = 0;
    // Such lines come only from loading and go only with their section.
    bool hasLineWithoutValue = false;
    // Erased sections, like deleted lines, stay in place until the list is compacted.
    bool isErased() const { return name.pos == NoValue; }
    uint32_t liveLines() const { return uint32_t(lines.size()) - deadLines; }
};

// Drawn from one counter for all documents, so that a handle of one document never
// matches another.
uint32_t nextGeneration() {
    static std::atomic<uint32_t> counter{0};
    return ++counter;
}

inline uint32_t hashOf(QByteArrayView name) {
    return AnsiCase::hash(name.data(), size_t(name.size()));
}

} // namespace

struct IniDocument::Data {
    QString fileName;
    // Why the file it was loaded from must not be rewritten (RewriteGuard); empty when it may.
    QString rewriteRefusal;
    QByteArray text;  // the loaded bytes, never changed afterwards
    QByteArray arena; // bytes written since the load
    qsizetype arenaLive = 0;
    std::vector<Section> sections;
    FlatHashIndex sectionIndex;
    uint32_t erasedSections = 0;
    uint32_t generation = nextGeneration();
    // Kept between write-backs: a document saved on every edit would otherwise fault in
    // fresh pages for the whole text each time.
    QByteArray writeBuffer;

    const char* at(uint32_t pos) const {
        return (pos & ArenaBit) ? arena.constData() + (pos & ~ArenaBit) : text.constData() + pos;
    }
    QByteArray bytes(Span span) const { return QByteArray(at(span.pos), span.size); }

    Span store(const QByteArray& bytes) {
        // Keeps every position below NoValue, which marks removed lines and sections.
        if (arena.size() + bytes.size() >= MaxBufferSize) {
            throw std::length_error("IniDocument: too much text written");
        }
        const Span span{static_cast<uint32_t>(arena.size()) | ArenaBit, static_cast<uint32_t>(bytes.size())};
        arena.append(bytes);
        arenaLive += bytes.size();
        return span;
    }
    void release(Span span) {
        if (span.pos != NoValue && (span.pos & ArenaBit)) {
            arenaLive -= span.size;
        }
    }

    uint32_t findSection(QByteArrayView name) const { return findSection(name, hashOf(name)); }
    uint32_t findSection(QByteArrayView name, uint32_t hash) const {
        return sectionIndex.find(hash, [&](uint32_t number) { return sameName(sections[number].name, name); });
    }
    const Section* section(const QByteArray& name) const {
        const uint32_t number = findSection(name);
        return number == FlatHashIndex::None ? nullptr : &sections[number];
    }
    const Section* section(uint32_t number, uint32_t handleGeneration) const {
        return handleGeneration == generation && number < sections.size() ? &sections[number] : nullptr;
    }
    uint32_t findLine(const Section& section, QByteArrayView key, uint32_t hash) const {
        return section.keys.find(hash, [&](uint32_t number) { return sameName(section.lines[number].key, key); });
    }
    // The value of the key's last line, null when the key is missing.
    QByteArrayView value(const Section* section, QByteArrayView key) const {
        if (!section) {
            return {};
        }
        const uint32_t number = findLine(*section, key, hashOf(key));
        if (number == FlatHashIndex::None) {
            return {};
        }
        const Span span = section->lines[number].value;
        return QByteArrayView(at(span.pos), span.size);
    }
    bool sameName(Span span, QByteArrayView name) const {
        return AnsiCase::equal(at(span.pos), span.size, name.data(), size_t(name.size()));
    }
    bool sameName(Span a, Span b) const { return AnsiCase::equal(at(a.pos), a.size, at(b.pos), b.size); }

    void indexKey(Section& section, uint32_t number) {
        const Span key = section.lines[number].key;
        section.keys.assign(AnsiCase::hash(at(key.pos), key.size), number,
                            [&](uint32_t other) { return sameName(section.lines[other].key, key); });
    }
    void indexSection(uint32_t number) {
        const Span name = sections[number].name;
        sectionIndex.assign(sections[number].nameHash, number,
                            [&](uint32_t other) { return sameName(sections[other].name, name); });
    }
    void indexLines(Section& section) {
        section.keys.clear();
        section.keys.reserve(section.lines.size());
        for (uint32_t i = 0; i < section.lines.size(); ++i) {
            if (section.lines[i].hasValue()) {
                indexKey(section, i);
            } else {
                section.hasLineWithoutValue = true;
            }
        }
    }

    void reset() {
        text.clear();
        arena.clear();
        arenaLive = 0;
        sections.clear();
        sectionIndex.clear();
        erasedSections = 0;
        generation = nextGeneration();
        writeBuffer = QByteArray();
    }

    // The section a write goes to: the last of that name, or a new one at the end.
    Section& sectionToWrite(const QByteArray& name);
    // Fills text with the write-back form, reusing its memory when it has enough.
    void writeText(QByteArray& text) const;
    void compactArena();
    void compactLines(Section& section);
    void compactSections();
    class Loader;
};

// Applies the load rules to the lines of a text kept in one buffer.
class IniDocument::Data::Loader {
public:
    // With onlySection, every section of another name is left out.
    explicit Loader(Data& data, QByteArrayView onlySection = {}) : m_data(data), m_only(onlySection) {}

    bool inSection() const { return m_inSection; }

    void addLine(uint32_t begin, uint32_t end) {
        const char* text = m_data.text.constData();
        while (begin < end && isBlank(text[begin])) {
            ++begin;
        }
        while (end > begin && isBlank(text[end - 1])) {
            --end;
        }
        if (begin == end || text[begin] == ';') {
            return;
        }
        if (text[begin] == '[' && text[end - 1] == ']' && end - begin >= 2) {
            startSection(begin + 1, end - 1);
            return;
        }
        if (!m_inSection) {
            return;
        }
        const void* equals = std::memchr(text + begin, '=', end - begin);
        if (!equals) {
            m_lines.push_back({{begin, end - begin}, {NoValue, 0}});
            return;
        }
        const uint32_t split = uint32_t(static_cast<const char*>(equals) - text);
        uint32_t keyEnd = split;
        while (keyEnd > begin && isBlank(text[keyEnd - 1])) {
            --keyEnd;
        }
        uint32_t valueBegin = split + 1;
        while (valueBegin < end && isBlank(text[valueBegin])) {
            ++valueBegin;
        }
        m_lines.push_back({{begin, keyEnd - begin}, {valueBegin, end - valueBegin}});
    }

    void finish() { finishSection(); }

private:
    void startSection(uint32_t begin, uint32_t end) {
        finishSection();
        const char* text = m_data.text.constData();
        while (begin < end && isBlank(text[begin])) {
            ++begin;
        }
        while (end > begin && isBlank(text[end - 1])) {
            --end;
        }
        if (!m_only.isEmpty() && !AnsiCase::equal(text + begin, end - begin, m_only.data(), size_t(m_only.size()))) {
            m_inSection = false;
            return;
        }
        Section section;
        section.name = {begin, end - begin};
        section.nameHash = AnsiCase::hash(text + begin, end - begin);
        m_data.sections.push_back(std::move(section));
        m_data.indexSection(uint32_t(m_data.sections.size() - 1));
        m_inSection = true;
    }

    // Lines are gathered apart so that each section's list is allocated once at its exact size.
    void finishSection() {
        if (!m_inSection) {
            return;
        }
        Section& section = m_data.sections.back();
        section.lines.assign(m_lines.begin(), m_lines.end());
        m_data.indexLines(section);
        m_lines.clear();
    }

    Data& m_data;
    QByteArrayView m_only;
    std::vector<Line> m_lines;
    bool m_inSection = false;
};

namespace {

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

} // namespace

void IniDocument::Data::compactArena() {
    QByteArray compacted;
    compacted.reserve(arenaLive);
    auto move = [&](Span& span) {
        if (span.pos != NoValue && (span.pos & ArenaBit)) {
            const uint32_t pos = uint32_t(compacted.size()) | ArenaBit;
            compacted.append(at(span.pos), span.size);
            span.pos = pos;
        }
    };
    for (Section& section : sections) {
        move(section.name);
        for (Line& line : section.lines) {
            move(line.key);
            move(line.value);
        }
    }
    arena = compacted;
    arenaLive = arena.size();
}

// Runs once dead lines outnumber live ones, so its cost is shared by the deletions before it.
void IniDocument::Data::compactLines(Section& section) {
    section.lines.erase(
        std::remove_if(section.lines.begin(), section.lines.end(), [](const Line& line) { return line.isDead(); }),
        section.lines.end());
    section.deadLines = 0;
    indexLines(section);
}

void IniDocument::Data::compactSections() {
    sections.erase(
        std::remove_if(sections.begin(), sections.end(), [](const Section& section) { return section.isErased(); }),
        sections.end());
    erasedSections = 0;
    sectionIndex.clear();
    sectionIndex.reserve(sections.size());
    for (uint32_t i = 0; i < sections.size(); ++i) {
        indexSection(i);
    }
}

IniDocument::IniDocument() : d(std::make_unique<Data>()) {}

IniDocument::IniDocument(const QString& fileName) : IniDocument() {
    d->fileName = fileName;
    if (!fileName.isEmpty() && QFileInfo::exists(fileName)) {
        const QByteArray bytes = SafeFile::readAll(fileName);
        d->rewriteRefusal = RewriteGuard::refusal(bytes);
        setFromText(bytes);
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
        for (const Line& line : found->lines) {
            if (line.isDead()) {
                continue;
            }
            if (line.hasValue()) {
                views.append({QByteArrayView(d->at(line.key.pos), line.key.size),
                              QByteArrayView(d->at(line.value.pos), line.value.size), QByteArrayView()});
            } else {
                views.append({QByteArrayView(d->at(line.key.pos), qsizetype(0)), QByteArrayView(),
                              QByteArrayView(d->at(line.key.pos), line.key.size)});
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
    int count = int(found->keys.size());
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
    const Span keySpan = d->store(key);
    const Span valueSpan = d->store(value);
    const uint32_t lineNumber = d->findLine(target, key, AnsiCase::hash(key.constData(), key.size()));
    if (lineNumber != FlatHashIndex::None) {
        Line& line = target.lines[lineNumber];
        d->release(line.key);
        d->release(line.value);
        line = {keySpan, valueSpan};
    } else {
        target.lines.push_back({keySpan, valueSpan});
        d->indexKey(target, uint32_t(target.lines.size() - 1));
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
    target.lines.push_back({d->store(QByteArray::fromRawData(line.bare.data(), line.bare.size())), NoSpan});
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
    return found && !found->isErased() ? QByteArrayView(d->at(found->name.pos), found->name.size) : QByteArrayView();
}

QList<QByteArray> IniDocument::keys(const QByteArray& section) const {
    QList<QByteArray> keys;
    if (const Section* found = d->section(section)) {
        keys.reserve(qsizetype(found->liveLines()));
        for (const Line& line : found->lines) {
            if (!line.isDead()) {
                keys.append(line.hasValue() ? d->bytes(line.key) : QByteArray());
            }
        }
    }
    return keys;
}

QList<QByteArray> IniDocument::lines(const QByteArray& section) const {
    QList<QByteArray> lines;
    if (const Section* found = d->section(section)) {
        lines.reserve(qsizetype(found->liveLines()));
        for (const Line& line : found->lines) {
            if (line.isDead()) {
                continue;
            }
            QByteArray text = d->bytes(line.key);
            if (line.hasValue()) {
                text += '=';
                text.append(d->at(line.value.pos), line.value.size);
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
    Line& line = target.lines[number];
    d->release(line.key);
    d->release(line.value);
    line = {NoSpan, NoSpan};
    // An earlier line with the same key now answers the look-up.
    target.keys.remove(hash, number);
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
    for (const Line& line : target.lines) {
        d->release(line.key);
        d->release(line.value);
    }
    target = Section();
    target.name = NoSpan;
    d->generation = nextGeneration();
    d->sectionIndex.remove(hash, number);
    if (++d->erasedSections * 2 > d->sections.size()) {
        d->compactSections();
    }
}

void IniDocument::clear() {
    d->reset();
}

void IniDocument::setFromLines(const QList<QByteArray>& lines) {
    QByteArray text;
    qsizetype size = 0;
    for (const QByteArray& line : lines) {
        size += line.size();
    }
    if (size > MaxBufferSize) {
        throw FileError::tooLarge(d->fileName); // positions are 32-bit
    }
    text.reserve(size);
    for (const QByteArray& line : lines) {
        text.append(line);
    }
    d->reset();
    d->text = text;
    Data::Loader loader(*d);
    uint32_t begin = 0;
    for (const QByteArray& line : lines) {
        const uint32_t end = begin + uint32_t(line.size());
        loader.addLine(begin, end);
        begin = end;
    }
    loader.finish();
}

void IniDocument::setFromText(const QByteArray& text, QByteArrayView onlySection) {
    const char* bytes = text.constData();
    const void* nul = std::memchr(bytes, '\0', size_t(text.size()));
    const qsizetype size = nul ? static_cast<const char*>(nul) - bytes : text.size();
    if (size > MaxBufferSize) {
        throw FileError::tooLarge(d->fileName); // positions are 32-bit
    }
    d->reset();
    d->text = text; // shared, not copied
    Data::Loader loader(*d, onlySection);
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
        uint32_t stop = uint32_t(findLineEnd(bytes, begin, end));
        loader.addLine(begin, stop);
        if (stop < end && bytes[stop] == '\r' && stop + 1 < end && bytes[stop + 1] == '\n') {
            ++stop;
        }
        begin = stop + 1;
    }
    loader.finish();
}

void IniDocument::Data::writeText(QByteArray& text) const {
    qsizetype size = 0;
    for (const Section& section : sections) {
        if (section.isErased()) {
            continue;
        }
        size += section.name.size + 6;
        for (const Line& line : section.lines) {
            if (!line.isDead()) {
                size += line.key.size + 2 + (line.hasValue() ? line.value.size + 1 : 0);
            }
        }
    }
    text.resize(size);
    char* out = text.data();
    auto put = [&](Span span) {
        std::memcpy(out, at(span.pos), span.size);
        out += span.size;
    };
    auto endLine = [&] {
        *out++ = '\r';
        *out++ = '\n';
    };
    for (const Section& section : sections) {
        if (section.isErased()) {
            continue;
        }
        *out++ = '[';
        put(section.name);
        *out++ = ']';
        endLine();
        for (const Line& line : section.lines) {
            if (line.isDead()) {
                continue;
            }
            put(line.key);
            if (line.hasValue()) {
                *out++ = '=';
                put(line.value);
            }
            endLine();
        }
        endLine();
    }
}

QByteArray IniDocument::toText() const {
    QByteArray text;
    d->writeText(text);
    return text;
}

void IniDocument::toText(QByteArray& text) const {
    d->writeText(text);
}

void IniDocument::writeBack() const {
    d->writeText(d->writeBuffer);
    SafeFile::writeAll(d->fileName, d->writeBuffer);
}
