#include "EditingState.h"

#include "CodePage.h"
#include "LanguageFolder.h"
#include "LanguageKeys.h"

int EditingState::codePageOf(const IniDocument& document) {
    return CodePage::forCharset(
        document.readInteger(LanguageKeys::Main, LanguageKeys::FontCharset, LanguageKeys::DefaultFontCharset));
}

void EditingState::load(const EditRequest& request) {
    const QString names[3] = {request.referenceName, request.sourceName, request.destinationName};
    const LanguageFolder folder(request.folder, request.extension);
    QString paths[3];
    std::unique_ptr<IniDocument> documents[3];
    // Stamped before reading: a change that slips in while reading makes the next save reload.
    FileStamp stamp;
    for (int role = 0; role < 3; ++role) {
        paths[role] = folder.filePath(names[role]);
        if (role == Destination) {
            stamp = FileStamp::of(paths[role]);
        }
        documents[role] = std::make_unique<IniDocument>(paths[role]);
    }
    for (int role = 0; role < 3; ++role) {
        m_names[role] = names[role];
        m_paths[role] = paths[role];
        m_documents[role] = std::move(documents[role]);
        m_codePages[role] = codePageOf(*m_documents[role]);
    }
    m_destinationStamp = stamp;
    m_unwritten.clear();
    ++m_destinationReadings;
}

bool EditingState::refreshDestination() {
    if (!m_documents[Destination]) {
        return false;
    }
    const FileStamp now = FileStamp::of(m_paths[Destination]);
    // A file that vanished is not reloaded: the document in memory is the only copy left.
    if (!now.exists || now == m_destinationStamp) {
        return false;
    }
    reloadDestination(now);
    return true;
}

void EditingState::reloadDestination() {
    const FileStamp now = m_documents[Destination] ? FileStamp::of(m_paths[Destination]) : FileStamp();
    if (now.exists) {
        reloadDestination(now);
    }
}

void EditingState::reloadDestination(const FileStamp& now) {
    auto reloaded = std::make_unique<IniDocument>(m_paths[Destination]);
    for (const Entry& entry : m_unwritten) {
        reloaded->writeString(entry.section, entry.key, entry.value);
    }
    m_documents[Destination] = std::move(reloaded);
    m_codePages[Destination] = codePageOf(*m_documents[Destination]);
    m_destinationStamp = now;
    ++m_destinationReadings;
}

void EditingState::writeEntry(const QByteArray& section, const QByteArray& key, const QByteArray& value) {
    m_documents[Destination]->writeString(section, key, value);
    m_unwritten.append({section, key, value});
    // The entry may be the FontCharset itself: later texts go in the code page the file now names.
    m_codePages[Destination] = codePageOf(*m_documents[Destination]);
}

void EditingState::destinationWritten() {
    m_destinationStamp = FileStamp::of(m_paths[Destination]);
    m_unwritten.clear();
}
