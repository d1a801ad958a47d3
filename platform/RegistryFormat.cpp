#include "RegistryFormat.h"

#include <QRegularExpression>

const QString RegistryFormat::Signature = QStringLiteral("Windows Registry Editor Version 5.00");
const QString RegistryFormat::RootName = QStringLiteral("HKEY_CURRENT_USER");

namespace {

const QChar Separator = QLatin1Char('\\');

QString quoted(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

// Reads a quoted text starting at line[pos] == '"'; pos ends after the closing quote.
bool readQuoted(const QString& line, qsizetype& pos, QString& out) {
    if (pos >= line.size() || line.at(pos) != QLatin1Char('"')) {
        return false;
    }
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        QChar c = line.at(pos);
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c == Separator) {
            if (++pos >= line.size()) {
                return false;
            }
            c = line.at(pos);
            if (c == QLatin1Char('n')) {
                c = QLatin1Char('\n');
            } else if (c == QLatin1Char('r')) {
                c = QLatin1Char('\r');
            }
        }
        out += c;
    }
    return false;
}

void skipBlanks(const QString& line, qsizetype& pos) {
    while (pos < line.size() && (line.at(pos) == QLatin1Char(' ') || line.at(pos) == QLatin1Char('\t'))) {
        ++pos;
    }
}

bool isOtherValue(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(dword:[0-9a-fA-F]{1,8}|hex(\([0-9a-fA-F]{1,8}\))?:([0-9a-fA-F]{2}(,\s*[0-9a-fA-F]{2})*)?)$)"));
    return pattern.match(text).hasMatch();
}

void serializeKey(const HiveKey& key, const QString& path, QString& out) {
    out += QLatin1Char('[') + path + QLatin1String("]\n");
    for (const HiveValue& v : key.values()) {
        out += v.name.isEmpty() ? QStringLiteral("@") : quoted(v.name);
        out += QLatin1Char('=');
        out += v.type == HiveValue::Type::String ? quoted(v.data) : v.data;
        out += QLatin1Char('\n');
    }
    out += QLatin1Char('\n');
    for (const auto& child : key.children()) {
        serializeKey(*child, path + Separator + child->name(), out);
    }
}

// UTF-8, with every byte that is not part of a valid sequence taken as Latin-1; a leading
// byte-order mark is dropped.
QString decodeLeniently(const QByteArray& bytes, bool& latin1) {
    QString text;
    text.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < size) {
        const unsigned char lead = p[i];
        int length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            minimum = 0x10000;
        }
        bool valid = length > 0 && i + length <= size;
        for (int k = 1; valid && k < length; ++k) {
            valid = (p[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        valid = valid && code >= minimum && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            latin1 = true;
            text += QChar(lead);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(char16_t(code));
        }
        i += length;
    }
    return text;
}

// Reads every line it can; a line it cannot read is skipped and remembered, and so is every
// value under a header it could not read.
class Parser {
public:
    Parser(const QString& text, HiveKey& root) : m_lines(text.split(QLatin1Char('\n'))), m_root(root) {}

    int skippedLines() const { return m_skipped; }
    const QString& firstProblem() const { return m_firstProblem; }

    void run() {
        qsizetype i = 0;
        while (i < m_lines.size() && line(i).trimmed().isEmpty()) {
            ++i;
        }
        if (i < m_lines.size() && line(i).trimmed() == RegistryFormat::Signature) {
            ++i;
        } else if (i < m_lines.size()) {
            skip(i, "not a registry file");
            ++i;
        }
        for (; i < m_lines.size(); ++i) {
            const QString text = line(i);
            if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char(';'))) {
                continue;
            }
            const qsizetype first = i;
            const bool header = text.startsWith(QLatin1Char('['));
            if (!(header ? openKey(text) : readValue(text, i))) {
                if (header) {
                    m_current = nullptr;
                }
                skip(first, nullptr);
            }
        }
    }

private:
    QString line(qsizetype i) const {
        QString text = m_lines.at(i);
        if (text.endsWith(QLatin1Char('\r'))) {
            text.chop(1);
        }
        return text;
    }

    bool fail(const char* reason) {
        m_reason = QString::fromLatin1(reason);
        return false;
    }

    void skip(qsizetype i, const char* reason) {
        if (reason) {
            m_reason = QString::fromLatin1(reason);
        }
        if (m_skipped++ == 0) {
            m_firstProblem = QStringLiteral("line %1: %2").arg(i + 1).arg(m_reason);
        }
    }

    bool openKey(QString text) {
        while (text.endsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char('\t'))) {
            text.chop(1);
        }
        if (!text.endsWith(QLatin1Char(']'))) {
            return fail("unterminated key header");
        }
        const QString path = text.mid(1, text.size() - 2);
        const qsizetype cut = path.indexOf(Separator);
        if (path.left(cut).compare(RegistryFormat::RootName, Qt::CaseInsensitive) != 0) {
            return fail("key outside HKEY_CURRENT_USER");
        }
        const auto names = cut < 0 ? QStringList() : RegistryFormat::splitPath(path.mid(cut));
        if (!names) {
            return fail("invalid key path");
        }
        m_current = &m_root;
        for (const QString& name : *names) {
            m_current = &m_current->addChild(name);
        }
        return true;
    }

    bool readValue(const QString& text, qsizetype& i) {
        if (!m_current) {
            return fail("value before the first key");
        }
        qsizetype pos = 0;
        QString name;
        if (text.startsWith(QLatin1Char('@'))) {
            pos = 1;
        } else if (!readQuoted(text, pos, name)) {
            return fail("invalid value name");
        }
        skipBlanks(text, pos);
        if (pos >= text.size() || text.at(pos) != QLatin1Char('=')) {
            return fail("missing \"=\"");
        }
        ++pos;
        skipBlanks(text, pos);
        if (pos < text.size() && text.at(pos) == QLatin1Char('"')) {
            QString data;
            if (!readQuoted(text, pos, data)) {
                return fail("unterminated string");
            }
            if (!text.mid(pos).trimmed().isEmpty()) {
                return fail("text after the string");
            }
            m_current->setValue(name, HiveValue::Type::String, data);
            return true;
        }
        QString data = text.mid(pos).trimmed();
        while (data.endsWith(Separator) && i + 1 < m_lines.size()) {
            data.chop(1);
            data += line(++i).trimmed();
        }
        if (!isOtherValue(data)) {
            return fail("unknown value type");
        }
        m_current->setValue(name, HiveValue::Type::Other, data);
        return true;
    }

    const QStringList m_lines;
    HiveKey& m_root;
    HiveKey* m_current = nullptr;
    QString m_reason;
    QString m_firstProblem;
    int m_skipped = 0;
};

} // namespace

bool RegistryFormat::parse(const QByteArray& bytes, HiveKey& root, QString* damage) {
    bool latin1 = false;
    Parser parser(decodeLeniently(bytes, latin1), root);
    parser.run();
    QStringList problems;
    if (parser.skippedLines() > 0) {
        const int count = parser.skippedLines();
        problems.append(QStringLiteral("%1 %2 could not be read and %3 skipped, the first at %4")
                            .arg(count)
                            .arg(count == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                                 count == 1 ? QStringLiteral("was") : QStringLiteral("were"), parser.firstProblem()));
    }
    if (latin1) {
        problems.append(QStringLiteral("bytes that are not UTF-8 were read as Latin-1"));
    }
    if (damage) {
        *damage = problems.join(QStringLiteral("; "));
    }
    return problems.isEmpty();
}

QByteArray RegistryFormat::serialize(const HiveKey& root) {
    QString out = Signature + QLatin1String("\n\n");
    if (!root.values().empty()) {
        serializeKey(root, RootName, out);
    } else {
        for (const auto& child : root.children()) {
            serializeKey(*child, RootName + Separator + child->name(), out);
        }
    }
    return out.toUtf8();
}

std::optional<QStringList> RegistryFormat::splitPath(const QString& path) {
    QStringView rest(path);
    if (rest.startsWith(Separator)) {
        rest = rest.mid(1);
    }
    QStringList names;
    if (rest.isEmpty()) {
        return names;
    }
    for (const QStringView name : rest.split(Separator)) {
        if (!isValidKeyName(name.toString()) || names.size() >= MaxDepth) {
            return std::nullopt;
        }
        names.append(name.toString());
    }
    return names;
}

bool RegistryFormat::isValidKeyName(const QString& name) {
    return !name.isEmpty() && !name.contains(Separator) && !name.contains(QLatin1Char('\n')) &&
           !name.contains(QLatin1Char('\r'));
}
