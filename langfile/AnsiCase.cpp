#include "AnsiCase.h"

#include "CodePage.h"

namespace AnsiCase {

const unsigned char* upperTable() {
    static const unsigned char* const table = CodePage::ansiUpperTable().data();
    return table;
}

} // namespace AnsiCase
