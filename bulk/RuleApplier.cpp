#include "RuleApplier.h"

#include "AnsiCase.h"

#include <QSet>

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

void moveLines(IniDocument& document, const ChangeRule& rule, bool keepSource) {
    // Copied first: the views into the document go stale as soon as it is written.
    const QList<QByteArray> lines = document.lines(rule.source);
    if (lines.isEmpty()) {
        return;
    }
    QSet<QByteArray> targetBareLines;
    const IniDocument::SectionRef target = document.findSection(rule.target);
    for (const IniDocument::LineView& line : document.lineViews(target)) {
        if (!line.bare.isNull()) {
            targetBareLines.insert(line.bare.toByteArray());
        }
    }
    for (const QByteArray& line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0) {
            document.writeString(rule.target, line.left(equals), line.mid(equals + 1));
        } else if (!targetBareLines.contains(line)) {
            document.writeLine(rule.target, {{}, {}, line});
            targetBareLines.insert(line);
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
