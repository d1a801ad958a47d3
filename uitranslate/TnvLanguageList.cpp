#include "TnvLanguageList.h"

TnvLanguage& TnvLanguageList::Add() {
    m_items.push_back(std::make_unique<TnvLanguage>(this));
    return *m_items.back();
}
