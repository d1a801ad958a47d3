#include "RulesFile.h"

#include "LineScanner.h"
#include "SafeFile.h"

#include <cstring>

namespace RulesFile {

QList<ChangeRule> parse(const QByteArray& text) {
    const char* bytes = text.constData();
    const void* nul = std::memchr(bytes, '\0', size_t(text.size()));
    const size_t end = nul ? size_t(static_cast<const char*>(nul) - bytes) : size_t(text.size());
    QList<ChangeRule> rules;
    size_t begin = 0;
    while (begin < end) {
        const size_t stop = findLineEnd(bytes, begin, end);
        if (auto rule = ChangeRule::fromLine(QByteArrayView(bytes + begin, qsizetype(stop - begin)))) {
            rules.append(*rule);
        }
        // The empty line between the CR and the LF of a CR LF gives no rule, so it needs no care.
        begin = stop + 1;
    }
    return rules;
}

QList<ChangeRule> read(const QString& fileName) {
    return parse(SafeFile::readAll(fileName));
}

} // namespace RulesFile
