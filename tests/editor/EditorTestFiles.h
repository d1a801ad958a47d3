#pragma once

#include "IniDocument.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// Small helpers shared by the editor tests: byte files in a temporary folder and documents
// made from text.
namespace EditorTestFiles {

inline void write(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write test file %s", qPrintable(fileName));
    }
}

inline QByteArray read(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The project fixture (English reference, French source, German destination) copied into dir.
inline QString copyProject(const QTemporaryDir& dir) {
    const QDir fixtures(QStringLiteral(TOLVANE_TEST_DATA "/editor/project"));
    for (const QString& name : fixtures.entryList(QDir::Files)) {
        write(dir.filePath(name), read(fixtures.filePath(name)));
    }
    return dir.path();
}

inline std::unique_ptr<IniDocument> document(const QByteArray& text) {
    auto result = std::make_unique<IniDocument>();
    result->setFromText(text);
    return result;
}

} // namespace EditorTestFiles
