#include "RegistryFormat.h"

#include <QRegularExpression>
#include <QStringDecoder>

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

class Parser {
public:
    Parser(const QString& text, HiveKey& root) : m_lines(text.split(QLatin1Char('\n'))), m_root(root) {}

    bool run(QString& error) {
        qsizetype i = 0;
        while (i < m_lines.size() && line(i).trimmed().isEmpty()) {
            ++i;
        }
        if (i == m_lines.size()) {
            return true;
        }
        if (line(i).trimmed() != RegistryFormat::Signature) {
            error = QStringLiteral("line %1: not a registry file").arg(i + 1);
            return false;
        }
        for (++i; i < m_lines.size(); ++i) {
            const QString text = line(i);
            if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char(';'))) {
                continue;
            }
            const bool ok = text.startsWith(QLatin1Char('[')) ? openKey(text) : readValue(text, i);
            if (!ok) {
                error = QStringLiteral("line %1: %2").arg(i + 1).arg(m_reason);
                return false;
            }
        }
        return true;
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
};

} // namespace

bool RegistryFormat::parse(const QByteArray& bytes, HiveKey& root, QString* error) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    QString reason;
    bool ok = false;
    if (decoder.hasError()) {
        reason = QStringLiteral("not UTF-8 text");
    } else {
        ok = Parser(text, root).run(reason);
    }
    if (!ok && error) {
        *error = reason;
    }
    return ok;
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
