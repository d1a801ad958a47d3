// Two texts built from the input: their diff is empty exactly when they are the same, and read as
// patch reads it (lines up to LF, hunks by their headers) it turns the first into the second.
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "UnifiedDiff.h"

#include <QList>

#include <cstdio>

namespace {

// Pieces that make lines repeat, end in every way and look like the diff's own marks; one of
// them adds numbered lines, so that a change can outgrow the shortest-edit search (narrowed here
// so that short inputs reach its end).
QByteArray textFrom(FuzzInput& input, int pieces) {
    static const char* const Pieces[] = {"a\n",           "b\n", "a", "\r", "\r\n",          "\n",     "c\r\n",
                                         "@@ -1 +1 @@\n", "+",   "-", " ",  "\\ No newline", "--- f\n"};
    constexpr int Count = int(sizeof(Pieces) / sizeof(Pieces[0]));
    QByteArray text;
    for (int i = 0; i < pieces && !input.atEnd(); ++i) {
        const int piece = input.pick(Count + 3);
        if (piece < Count) {
            text += Pieces[piece];
        } else if (piece == Count) {
            text += QByteArray("\0\n", 2);
        } else if (piece == Count + 1) {
            text += char(input.byte());
        } else {
            const int first = input.byte() * 5;
            for (int line = first; line < first + 12; ++line) {
                text += QByteArray::number(line) + '\n';
            }
        }
    }
    return text;
}

QList<QByteArray> linesOf(const QByteArray& text) {
    QList<QByteArray> lines;
    for (qsizetype begin = 0; begin < text.size();) {
        const qsizetype end = text.indexOf('\n', begin);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        lines.append(text.mid(begin, next - begin));
        begin = next;
    }
    return lines;
}

QByteArray patched(const QByteArray& before, const QByteArray& diff) {
    const QList<QByteArray> old = linesOf(before);
    const QList<QByteArray> lines = linesOf(diff);
    FUZZ_CHECK(lines.size() >= 3 && lines[0] == "--- f\n" && lines[1] == "+++ f\n");
    QByteArray out;
    int written = 0;
    int at = 0;
    for (int i = 2; i < lines.size();) {
        int oldStart = 0, oldCount = 0, newStart = 0, newCount = 0;
        FUZZ_CHECK(
            std::sscanf(lines[i].constData(), "@@ -%d,%d +%d,%d @@", &oldStart, &oldCount, &newStart, &newCount) == 4);
        ++i;
        // An empty range names the line before it.
        const int from = oldCount > 0 ? oldStart - 1 : oldStart;
        FUZZ_CHECK(from >= at && from <= old.size());
        for (; at < from; ++at, ++written) {
            out += old[at];
        }
        FUZZ_CHECK(written == (newCount > 0 ? newStart - 1 : newStart));
        while (oldCount > 0 || newCount > 0) {
            FUZZ_CHECK(i < lines.size() && !lines[i].isEmpty());
            const char mark = lines[i][0];
            QByteArray line = lines[i].mid(1);
            ++i;
            if (i < lines.size() && lines[i] == "\\ No newline at end of file\n") {
                line.chop(1);
                ++i;
            }
            if (mark != '+') {
                FUZZ_CHECK(oldCount > 0 && at < old.size() && old[at] == line);
                ++at;
                --oldCount;
            }
            if (mark != '-') {
                FUZZ_CHECK(newCount > 0);
                out += line;
                ++written;
                --newCount;
            }
            FUZZ_CHECK(mark == ' ' || mark == '-' || mark == '+');
        }
    }
    for (; at < old.size(); ++at) {
        out += old[at];
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QByteArray before = textFrom(input, input.byte());
    const QByteArray after = input.flag() ? before + textFrom(input, 4) : textFrom(input, 255);
    const QByteArray diff = UnifiedDiff::diff(before, after, "f", 3, 24);
    FUZZ_CHECK(diff.isEmpty() == (before == after));
    if (!diff.isEmpty()) {
        FUZZ_CHECK(patched(before, diff) == after);
    }
    return 0;
}
