#pragma once

#include "TnvLanguage.h"

#include <memory>
#include <vector>

// The catalogue: languages in the order of their file names, owned here.
class TnvLanguageList {
public:
    TnvLanguageList() = default;
    TnvLanguageList(const TnvLanguageList&) = delete;
    TnvLanguageList& operator=(const TnvLanguageList&) = delete;

    TnvLanguage& Add();
    int Count() const { return int(m_items.size()); }
    TnvLanguage& operator[](int index) const { return *m_items.at(size_t(index)); }
    void Clear() { m_items.clear(); }

private:
    std::vector<std::unique_ptr<TnvLanguage>> m_items;
};
