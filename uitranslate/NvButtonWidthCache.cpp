#include "NvButtonWidthCache.h"

#include <algorithm>

NvButtonWidthCache& NvButtonWidthCache::instance() {
    static NvButtonWidthCache cache;
    return cache;
}

int NvButtonWidthCache::width(MsgDlgBtn button, const Measure& measure) {
    Entry& entry = m_entries[nvButtonIndex(button)];
    const QString caption = nvButtonCaption(button);
    if (entry.width < 0 || entry.caption != caption) {
        entry.caption = caption;
        entry.width = measure(caption);
    }
    return entry.width;
}

int NvButtonWidthCache::widest(unsigned buttons, const Measure& measure) {
    int result = 0;
    for (const MsgDlgButtonInfo& info : nvButtonTable()) {
        if (buttons & info.button) {
            result = std::max(result, width(info.button, measure));
        }
    }
    return result;
}

bool NvButtonWidthCache::isMeasured(MsgDlgBtn button) const {
    return m_entries[nvButtonIndex(button)].width >= 0;
}

void NvButtonWidthCache::clear() {
    m_entries = {};
}
