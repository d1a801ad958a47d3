#pragma once

#include <QImage>
#include <QString>

class TnvLanguageList;

// One interface language of the catalogue: its file, names and flags.
class TnvLanguage {
public:
    explicit TnvLanguage(TnvLanguageList* collection = nullptr) : m_collection(collection) {}

    TnvLanguageList* collection() const { return m_collection; }

    QString FileName;
    // The file name without its extension; what the registry keeps as the choice.
    QString LanguageName;
    // [Main] LanguageName, else LanguageName.
    QString LanguageRealName;
    QString LanguageHint;
    QImage Flag16;
    QImage Flag32;
    // Where the flags went in the translator's image lists; -1 when they were not added.
    int ImageIndex16 = -1;
    int ImageIndex32 = -1;

private:
    TnvLanguageList* m_collection;
};
