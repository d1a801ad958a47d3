#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <memory>

// An INI document over bytes: ordered sections of ordered lines. Section names and keys
// match without regard to case (ANSI upper-casing); when names repeat, look-up finds the
// last one, listing shows all. Values are stored and compared as bytes, never decoded.
class IniDocument {
public:
    IniDocument();
    // Loads the file when it exists (throws FileError "Cannot open file" when it exists
    // but cannot be read); an empty name or a missing file gives an empty document.
    explicit IniDocument(const QString& fileName);
    ~IniDocument();
    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // A section found once for many look-ups in it. It stays valid through writes and key
    // deletions; erasing a section, clear() and loading make it stale, and a stale or
    // not-found handle finds nothing.
    class SectionRef {
    public:
        SectionRef() = default;
        bool isValid() const { return m_number != Invalid; }
        bool operator==(const SectionRef& other) const {
            return m_number == other.m_number && m_generation == other.m_generation;
        }

    private:
        friend class IniDocument;
        static constexpr uint32_t Invalid = UINT32_MAX;
        SectionRef(uint32_t number, uint32_t generation) : m_number(number), m_generation(generation) {}
        uint32_t m_number = Invalid;
        uint32_t m_generation = 0;
    };

    const QString& fileName() const;
    void setFileName(const QString& fileName);
    // Why the file this document was loaded from must not be rewritten (RewriteGuard::refusal
    // of its bytes); empty when it may, or when the document names another file now. Writers
    // check it (RewriteGuard::ensureRewritable) before they write back.
    const QString& rewriteRefusal() const;

    QByteArray readString(const QByteArray& section, const QByteArray& key, const QByteArray& defaultValue = {}) const;
    // Decimal, "0x"/"0X" + at least one digit or "$" + digits as hexadecimal; else the default.
    int readInteger(const QByteArray& section, const QByteArray& key, int defaultValue) const;
    void writeString(const QByteArray& section, const QByteArray& key, const QByteArray& value);

    SectionRef findSection(QByteArrayView name) const;
    // The value's bytes inside the document, null when the key is missing (an empty value
    // gives an empty, non-null view); valid until the document next changes.
    QByteArrayView valueView(SectionRef section, QByteArrayView key) const;
    bool containsKey(SectionRef section, QByteArrayView key) const;
    QByteArray readString(SectionRef section, QByteArrayView key, const QByteArray& defaultValue = {}) const;

    // One line of a section where it lies: a line without "=" has an empty key, a null value
    // and its text in bare (null for a line with "="). Valid until the document next changes.
    struct LineView {
        QByteArrayView key;
        QByteArrayView value;
        QByteArrayView bare;
    };
    QList<LineView> lineViews(SectionRef section) const;
    // The number of keys that differ other than in letter case, where a line without "="
    // counts as the empty key; 0 for a missing section. Counted without copying a key.
    int distinctKeyCount(SectionRef section) const;

    bool hasSection(const QByteArray& section) const;
    bool hasKey(const QByteArray& section, const QByteArray& key) const;

    QList<QByteArray> sections() const;
    // Every section in document order, repeated names included, for walking all of them.
    QList<SectionRef> sectionRefs() const;
    // Null for a stale or not-found handle.
    QByteArrayView sectionName(SectionRef section) const;
    QList<QByteArray> keys(const QByteArray& section) const;
    QList<QByteArray> lines(const QByteArray& section) const;

    // Writes a line as lineViews gives it (not views into this document, which writing moves):
    // an entry as writeString does; a line without "=" is appended as it stands, its section
    // added at the end when missing.
    void writeLine(const QByteArray& section, const LineView& line);
    void deleteKey(const QByteArray& section, const QByteArray& key);
    void eraseSection(const QByteArray& section);
    // Empties the document; the memory of text written into it is kept for the next load.
    void clear();

    // Replaces the content by the load rules applied to these lines.
    void setFromLines(const QList<QByteArray>& lines);
    // Splits the bytes into lines (CR LF, CR, LF; a NUL ends the text), then as setFromLines.
    // Both throw FileError "Cannot open file" for a text over 2 GB, naming fileName(). With
    // onlySection, only the sections of that name are kept, exactly as the whole text gives them;
    // the rest is passed over without being split into lines.
    void setFromText(const QByteArray& text, QByteArrayView onlySection = {});

    // The write-back form: "[name]", the lines, an empty line, each ending in CR LF.
    QByteArray toText() const;
    // The same into text, reusing its memory when it has enough (one buffer for many files).
    void toText(QByteArray& text) const;
    // Writes toText() to fileName() atomically; throws FileError "Cannot create file".
    void writeBack() const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};
