#include "UnifiedDiff.h"

#include <algorithm>
#include <vector>

namespace {

enum class Step { Same, Removed, Added };

struct Edit {
    Step step;
    int before; // lines of the old text before this one
    int after;  // lines of the new text before this one
};

using Lines = QList<QByteArray>;

// The shortest edit of a[lo, aEnd) into b[lo, bEnd) by the greedy diagonal search, as steps from
// the end backwards; false when it has more than maxDifferences steps.
bool shortestEdit(const Lines& a, const Lines& b, int lo, int aEnd, int bEnd, int maxDifferences,
                  std::vector<Step>& reversed) {
    const int n = aEnd - lo;
    const int m = bEnd - lo;
    const int limit = std::min(n + m, maxDifferences);
    std::vector<int> v(size_t(2 * limit + 3), 0);
    const int offset = limit + 1;
    std::vector<std::vector<int>> trace;
    int found = -1;
    for (int d = 0; d <= limit && found < 0; ++d) {
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[size_t(offset + k - 1)] < v[size_t(offset + k + 1)]))
                        ? v[size_t(offset + k + 1)]
                        : v[size_t(offset + k - 1)] + 1;
            int y = x - k;
            while (x < n && y < m && a.at(lo + x) == b.at(lo + y)) {
                ++x;
                ++y;
            }
            v[size_t(offset + k)] = x;
            if (x >= n && y >= m) {
                found = d;
            }
        }
        trace.emplace_back(v.begin() + (offset - d), v.begin() + (offset + d + 1));
    }
    if (found < 0) {
        return false;
    }
    int x = n;
    int y = m;
    for (int d = found; d > 0; --d) {
        const std::vector<int>& previous = trace[size_t(d - 1)];
        const auto at = [&](int k) { return previous[size_t(k + d - 1)]; };
        const int k = x - y;
        const bool down = k == -d || (k != d && at(k - 1) < at(k + 1));
        const int previousK = down ? k + 1 : k - 1;
        const int previousX = at(previousK);
        const int previousY = previousX - previousK;
        for (; x > previousX && y > previousY; --x, --y) {
            reversed.push_back(Step::Same);
        }
        reversed.push_back(down ? Step::Added : Step::Removed);
        x = previousX;
        y = previousY;
    }
    for (; x > 0; --x) {
        reversed.push_back(Step::Same);
    }
    return true;
}

std::vector<Edit> edits(const Lines& a, const Lines& b, int maxDifferences) {
    int prefix = 0;
    while (prefix < a.size() && prefix < b.size() && a.at(prefix) == b.at(prefix)) {
        ++prefix;
    }
    int aEnd = int(a.size());
    int bEnd = int(b.size());
    while (aEnd > prefix && bEnd > prefix && a.at(aEnd - 1) == b.at(bEnd - 1)) {
        --aEnd;
        --bEnd;
    }
    std::vector<Step> middle;
    if (!shortestEdit(a, b, prefix, aEnd, bEnd, maxDifferences, middle)) {
        middle.clear();
        middle.insert(middle.end(), size_t(bEnd - prefix), Step::Added);
        middle.insert(middle.end(), size_t(aEnd - prefix), Step::Removed);
    }
    std::reverse(middle.begin(), middle.end());
    std::vector<Step> steps(size_t(prefix), Step::Same);
    steps.insert(steps.end(), middle.begin(), middle.end());
    steps.insert(steps.end(), size_t(a.size() - aEnd), Step::Same);
    std::vector<Edit> result;
    result.reserve(steps.size());
    int before = 0;
    int after = 0;
    for (const Step step : steps) {
        result.push_back({step, before, after});
        before += step != Step::Added ? 1 : 0;
        after += step != Step::Removed ? 1 : 0;
    }
    return result;
}

// A line of the diff: its mark and the line with its own end.
QByteArray shown(char mark, const QByteArray& line) {
    return mark + line + (line.endsWith('\n') ? "" : "\n\\ No newline at end of file\n");
}

QByteArray range(int start, int count) {
    // An empty range names the line before it.
    return QByteArray::number(count > 0 ? start + 1 : start) + ',' + QByteArray::number(count);
}

} // namespace

namespace UnifiedDiff {

Lines lines(const QByteArray& text) {
    Lines result;
    for (qsizetype begin = 0; begin < text.size();) {
        const qsizetype stop = text.indexOf('\n', begin);
        const qsizetype next = stop < 0 ? text.size() : stop + 1;
        result.append(text.mid(begin, next - begin));
        begin = next;
    }
    return result;
}

QByteArray diff(const QByteArray& before, const QByteArray& after, const QByteArray& name, int context,
                int maxDifferences) {
    const Lines a = lines(before);
    const Lines b = lines(after);
    const std::vector<Edit> all = edits(a, b, maxDifferences);
    const int count = int(all.size());
    QByteArray out;
    for (int i = 0; i < count;) {
        int first = i;
        while (first < count && all[size_t(first)].step == Step::Same) {
            ++first;
        }
        if (first == count) {
            break;
        }
        // A hunk runs on while the changes in it are at most two contexts apart.
        int last = first;
        for (int j = first; j < count && j - last <= 2 * context; ++j) {
            if (all[size_t(j)].step != Step::Same) {
                last = j;
            }
        }
        const int begin = std::max(i, first - context);
        const int end = std::min(count, last + context + 1);
        int removed = 0;
        int added = 0;
        QByteArray body;
        for (int j = begin; j < end; ++j) {
            const Edit& edit = all[size_t(j)];
            switch (edit.step) {
            case Step::Same:
                body += shown(' ', a.at(edit.before));
                ++removed;
                ++added;
                break;
            case Step::Removed:
                body += shown('-', a.at(edit.before));
                ++removed;
                break;
            case Step::Added:
                body += shown('+', b.at(edit.after));
                ++added;
                break;
            }
        }
        if (out.isEmpty()) {
            out += "--- " + name + "\n+++ " + name + '\n';
        }
        out += "@@ -" + range(all[size_t(begin)].before, removed) + " +" + range(all[size_t(begin)].after, added) +
               " @@\n" + body;
        i = end;
    }
    return out;
}

} // namespace UnifiedDiff
