#pragma once

#include "IniDocument.h"
#include "IniText.h"
#include "TestFiles.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// The editor tests' project fixture and documents made from text.
namespace EditorTestFiles {

using TestFiles::read;
using TestFiles::write;

// The project fixture (English reference, French source, German destination) copied into dir.
inline QString copyProject(const QTemporaryDir& dir) {
    const QDir fixtures(QStringLiteral(TOLVANE_TEST_DATA "/editor/project"));
    for (const QString& name : fixtures.entryList(QDir::Files)) {
        write(dir.filePath(name), read(fixtures.filePath(name)));
    }
    return dir.path();
}

inline std::unique_ptr<IniDocument> document(const QByteArray& text) {
    return std::make_unique<IniDocument>(iniFromText(text));
}

} // namespace EditorTestFiles
