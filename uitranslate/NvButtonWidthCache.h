#pragma once

#include "NvDialogStrings.h"

#include <QString>

#include <array>
#include <functional>

// Each button's width, measured the first time a dialog shows it and kept for the run. A
// caption replaced since then (another interface language) is measured again, so that a longer
// translation is not clipped.
class NvButtonWidthCache {
public:
    using Measure = std::function<int(const QString& caption)>;

    static NvButtonWidthCache& instance();

    int width(MsgDlgBtn button, const Measure& measure);
    // Largest width among the given buttons, measuring those not yet known; 0 for none.
    int widest(unsigned buttons, const Measure& measure);
    bool isMeasured(MsgDlgBtn button) const;
    void clear();

private:
    struct Entry {
        QString caption;
        int width = -1;
    };
    std::array<Entry, kMsgDlgButtonCount> m_entries;
};
