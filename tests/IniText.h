#pragma once

#include "CodePage.h"
#include "IniDocument.h"

#include <QByteArray>

// A document made from text, as the tests of the INI readers build them.
inline IniDocument iniFromText(const QByteArray& text) {
    IniDocument document;
    document.setFromText(text);
    return document;
}

// Upper-cased byte by byte with the ANSI code page, as the document folds names.
inline QByteArray ansiUpper(QByteArray text) {
    for (char& c : text) {
        c = char(CodePage::ansiUpperTable()[static_cast<unsigned char>(c)]);
    }
    return text;
}
