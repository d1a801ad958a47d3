#pragma once

class ImageList;
class QMenu;
class QTreeWidget;
class TnvLanguageList;

// The catalogue shown for picking: entries of a menu and rows of a list view.
namespace LanguageDisplays {

// Replaces every entry of menu by one unnamed entry per language, in catalogue order: the display
// name as caption, the base name as hint, the small flag as icon.
void fillMenu(QMenu& menu, const TnvLanguageList& languages, const ImageList& images16);

// At least three columns: display name (100 pixels), hint (the rest), base name (not seen); rows
// sorted by display name, read-only, with the small flags.
void fillListView(QTreeWidget& view, const TnvLanguageList& languages, const ImageList& images16);

} // namespace LanguageDisplays
