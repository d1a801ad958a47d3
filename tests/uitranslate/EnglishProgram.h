#pragma once

#include "IniDocument.h"
#include "InterfaceLanguageWriter.h"
#include "MainWindowFixture.h"
#include "MessageTable.h"
#include "TformSearch.h"
#include "WindowRegistry.h"

#include <QTemporaryDir>

inline QList<QPair<QString, QString>> messageTable() {
    QList<QPair<QString, QString>> messages;
    for (int i = 0; i < MessageTable::count(); ++i) {
        messages.append({MessageTable::key(i), MessageTable::defaultText(i)});
    }
    return messages;
}

// The program's two windows as they are at start-up, and a folder for language files.
struct EnglishProgram {
    MainWindowFixture main;
    TformSearch search;
    QTemporaryDir dir;
    InterfaceLanguageWriter writer{WindowRegistry::application(), messageTable()};

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString english() const { return dir.filePath(QStringLiteral("English.tvl")); }
    IniDocument writeEnglish() const {
        writer.createEnglishLanguage(folder(), QStringLiteral("tvl"), QStringLiteral("Help\\English.chm"));
        return IniDocument(english());
    }
};
