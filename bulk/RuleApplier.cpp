#include "RuleApplier.h"

#include "AnsiCase.h"

#include <QSet>

#include <algorithm>

namespace {

bool sameName(const QByteArray& a, const QByteArray& b) {
    return AnsiCase::equal(a.constData(), size_t(a.size()), b.constData(), size_t(b.size()));
}

void moveValue(IniDocument& document, const ChangeRule& rule, bool keepSource) {
    const QByteArray value = document.readString(rule.source, rule.key);
    if (value.isEmpty()) {
        return;
    }
    document.writeString(rule.target, rule.key, value);
    if (!keepSource) {
        document.deleteKey(rule.source, rule.key);
    }
}

// The lines of a section as lines() gives them, one after the other in one buffer.
struct CopiedLines {
    QByteArray bytes;
    QList<qsizetype> sizes;
};

CopiedLines copyLines(const IniDocument& document, const QByteArray& section) {
    const QList<IniDocument::LineView> views = document.lineViews(document.findSection(section));
    CopiedLines copied;
    copied.sizes.reserve(views.size());
    qsizetype size = 0;
    for (const IniDocument::LineView& line : views) {
        copied.sizes.append(line.bare.isNull() ? line.key.size() + 1 + line.value.size() : line.bare.size());
        size += copied.sizes.last();
    }
    copied.bytes.resize(size);
    char* out = copied.bytes.data();
    const auto put = [&out](QByteArrayView bytes) {
        std::copy(bytes.begin(), bytes.end(), out);
        out += bytes.size();
    };
    for (const IniDocument::LineView& line : views) {
        if (line.bare.isNull()) {
            put(line.key);
            put("=");
            put(line.value);
        } else {
            put(line.bare);
        }
    }
    return copied;
}

void moveLines(IniDocument& document, const ChangeRule& rule, bool keepSource) {
    // Copied first, all into one buffer: the views into the document go stale as soon as it is
    // written.
    const CopiedLines copied = copyLines(document, rule.source);
    if (copied.sizes.isEmpty()) {
        return;
    }
    QSet<QByteArray> targetBareLines;
    const IniDocument::SectionRef target = document.findSection(rule.target);
    for (const IniDocument::LineView& line : document.lineViews(target)) {
        if (!line.bare.isNull()) {
            targetBareLines.insert(line.bare.toByteArray());
        }
    }
    const char* next = copied.bytes.constData();
    for (const qsizetype size : copied.sizes) {
        const QByteArray line = QByteArray::fromRawData(next, size);
        next += size;
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0) {
            document.writeString(rule.target, QByteArray::fromRawData(line.constData(), equals),
                                 QByteArray::fromRawData(line.constData() + equals + 1, size - equals - 1));
        } else if (!targetBareLines.contains(line)) {
            document.writeLine(rule.target, {{}, {}, line});
            targetBareLines.insert(QByteArray(line.constData(), size));
        }
    }
    if (!keepSource) {
        document.eraseSection(rule.source);
    }
}

} // namespace

namespace RuleApplier {

void apply(IniDocument& document, const ChangeRule& rule) {
    if (sameName(rule.source, rule.target)) {
        return;
    }
    switch (rule.kind) {
    case ChangeRule::Kind::MoveValue:
        moveValue(document, rule, false);
        break;
    case ChangeRule::Kind::CopyValue:
        moveValue(document, rule, true);
        break;
    case ChangeRule::Kind::MoveKey:
        moveLines(document, rule, false);
        break;
    case ChangeRule::Kind::CopyKey:
        moveLines(document, rule, true);
        break;
    }
}

void apply(IniDocument& document, const QList<ChangeRule>& rules) {
    for (const ChangeRule& rule : rules) {
        apply(document, rule);
    }
}

} // namespace RuleApplier
