#pragma once

#include "IniText.h"
#include "LoadTrim.h"

#include <QByteArray>
#include <QList>

#include <vector>

// Names match as the document folds them.
inline QByteArray folded(const QByteArray& name) {
    return ansiUpper(name);
}

// Sections as a list of names and lines, searched from the end on every look-up.
class ModelDocument {
public:
    void load(QByteArray text) {
        m_sections.clear();
        const qsizetype nul = text.indexOf('\0');
        if (nul >= 0) {
            text.truncate(nul);
        }
        text.replace("\r\n", "\n");
        text.replace('\r', '\n');
        loadLines(text.split('\n'));
    }

    // Each item is one line, even one holding a line break, as a document set from lines keeps it.
    void loadLines(const QList<QByteArray>& lines) {
        m_sections.clear();
        for (const QByteArray& raw : lines) {
            const QByteArray line = loadTrimmed(raw);
            if (line.isEmpty() || line.startsWith(';')) {
                continue;
            }
            if (line.size() >= 2 && line.startsWith('[') && line.endsWith(']')) {
                m_sections.push_back({loadTrimmed(line.mid(1, line.size() - 2)), {}});
            } else if (!m_sections.empty()) {
                const qsizetype equals = line.indexOf('=');
                m_sections.back().lines.append(
                    equals < 0 ? line : loadTrimmed(line.left(equals)) + '=' + loadTrimmed(line.mid(equals + 1)));
            }
        }
    }

    int section(const QByteArray& name) const {
        for (int i = int(m_sections.size()) - 1; i >= 0; --i) {
            if (folded(m_sections[size_t(i)].name) == folded(name)) {
                return i;
            }
        }
        return -1;
    }

    static QByteArray keyOf(const QByteArray& line) {
        const qsizetype equals = line.indexOf('=');
        return equals < 0 ? QByteArray() : line.left(equals);
    }

    static int line(const QList<QByteArray>& lines, const QByteArray& key) {
        for (int i = int(lines.size()) - 1; i >= 0; --i) {
            if (lines[i].contains('=') && folded(keyOf(lines[i])) == folded(key)) {
                return i;
            }
        }
        return -1;
    }

    // Null when the entry is missing.
    QByteArray read(const QByteArray& name, const QByteArray& key) const {
        const int s = section(name);
        const int l = s < 0 ? -1 : line(m_sections[size_t(s)].lines, key);
        if (l < 0) {
            return QByteArray();
        }
        const QByteArray value = m_sections[size_t(s)].lines[l].mid(key.size() + 1);
        return value.isNull() ? QByteArray("") : value;
    }

    void write(const QByteArray& name, const QByteArray& key, const QByteArray& value) {
        QList<QByteArray>& lines = sectionToWrite(name);
        const int l = line(lines, key);
        if (l < 0) {
            lines.append(key + '=' + value);
        } else {
            lines[l] = key + '=' + value;
        }
    }

    void writeBare(const QByteArray& name, const QByteArray& text) { sectionToWrite(name).append(text); }

    void deleteKey(const QByteArray& name, const QByteArray& key) {
        const int s = section(name);
        const int l = s < 0 ? -1 : line(m_sections[size_t(s)].lines, key);
        if (l >= 0) {
            m_sections[size_t(s)].lines.removeAt(l);
        }
    }

    void erase(const QByteArray& name) {
        const int s = section(name);
        if (s >= 0) {
            m_sections.erase(m_sections.begin() + s);
        }
    }

    void clear() { m_sections.clear(); }

    QList<QByteArray> sections() const {
        QList<QByteArray> names;
        for (const Section& s : m_sections) {
            names.append(s.name);
        }
        return names;
    }

    QList<QByteArray> lines(const QByteArray& name) const {
        const int s = section(name);
        return s < 0 ? QList<QByteArray>() : m_sections[size_t(s)].lines;
    }

    QByteArray text() const {
        QByteArray text;
        for (const Section& s : m_sections) {
            text += '[' + s.name + "]\r\n";
            for (const QByteArray& line : s.lines) {
                text += line + "\r\n";
            }
            text += "\r\n";
        }
        return text;
    }

private:
    struct Section {
        QByteArray name;
        QList<QByteArray> lines;
    };

    QList<QByteArray>& sectionToWrite(const QByteArray& name) {
        int s = section(name);
        if (s < 0) {
            m_sections.push_back({name, {}});
            s = int(m_sections.size()) - 1;
        }
        return m_sections[size_t(s)].lines;
    }

    std::vector<Section> m_sections;
};
