#pragma once

#include <QByteArray>
#include <QString>

class ImageList;
class IniDocument;
class TnvLanguage;
class TnvLanguageList;

// Builds the catalogue of interface languages from the files of one folder.
namespace LanguageCatalogue {

struct Target {
    TnvLanguageList& languages;
    ImageList& images16;
    ImageList& images32;
};

// Every "*.<extension>" file of folder, sorted by name as the user sees names, read plain or
// compressed; each read under the language-load lock when takeLock. A file that cannot be read is
// listed all the same under its base name. An empty or missing folder leaves target untouched and
// returns false.
bool scan(const QString& folder, const QString& extension, const QByteArray& compressIndicator, bool takeLock,
          const Target& target);

// Names and flags of one language from its document; flags of the right width join the lists.
void describe(TnvLanguage& language, const IniDocument& document, ImageList& images16, ImageList& images32);

} // namespace LanguageCatalogue
