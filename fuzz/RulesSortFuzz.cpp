// Change rules and sorting over any file: a rule line written with the quoting of comma text reads
// back as the same rule, the rules change the document as a plain model of them does, and the
// sorted document reads as the given one does, names once each, and sorts to itself again.
#include "ChangeRule.h"
#include "CommaText.h"
#include "DocumentSorter.h"
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "IniDocument.h"
#include "ModelDocument.h"
#include "RuleApplier.h"
#include "RulesFile.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QSet>

namespace {

const char* const Keywords[] = {"MOVEVALUE", "COPYVALUE", "MOVEKEY", "COPYKEY"};

// A field as a maintainer would write it: quoted when it holds a blank, a comma or a quote, or is
// empty.
QByteArray quoted(const QByteArray& field) {
    bool plain = !field.isEmpty() && !field.startsWith('"');
    for (const char c : field) {
        plain = plain && c != ',' && static_cast<unsigned char>(c) > ' ';
    }
    if (plain) {
        return field;
    }
    QByteArray text = field;
    text.replace('"', "\"\"");
    return '"' + text + '"';
}

QByteArray fieldFrom(FuzzInput& input) {
    QByteArray field = input.name();
    if (input.pick(4) == 0) {
        field += input.flag() ? ",\"" : " \"\"";
    }
    return field;
}

void apply(ModelDocument& model, const ChangeRule& rule) {
    if (folded(rule.source) == folded(rule.target)) {
        return;
    }
    const bool moves = rule.kind == ChangeRule::Kind::MoveValue || rule.kind == ChangeRule::Kind::MoveKey;
    if (rule.kind == ChangeRule::Kind::MoveValue || rule.kind == ChangeRule::Kind::CopyValue) {
        const QByteArray value = model.read(rule.source, rule.key);
        if (!value.isEmpty()) {
            model.write(rule.target, rule.key, value);
            if (moves) {
                model.deleteKey(rule.source, rule.key);
            }
        }
        return;
    }
    const QList<QByteArray> lines = model.lines(rule.source);
    for (const QByteArray& line : lines) {
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0) {
            model.write(rule.target, line.left(equals), line.mid(equals + 1));
        } else if (!model.lines(rule.target).contains(line)) {
            model.writeBare(rule.target, line);
        }
    }
    if (moves && !lines.isEmpty()) {
        model.erase(rule.source);
    }
}

// document: as loaded from a file, so that its names are the ones a sorted file reads back.
void checkSorted(const IniDocument& document) {
    static const DocumentSorter sorter(QLocale::c());
    const QByteArray text = sorter.sortedText(document);
    IniDocument sorted;
    sorted.setFromText(text);
    FUZZ_CHECK(sorter.sortedText(sorted) == sorted.toText());
    QSet<QByteArray> names;
    for (const QByteArray& name : sorted.sections()) {
        FUZZ_CHECK(!names.contains(folded(name)));
        names.insert(folded(name));
        FUZZ_CHECK(document.hasSection(name));
    }
    for (const QByteArray& name : document.sections()) {
        for (const QByteArray& line : document.lines(name)) {
            const qsizetype equals = line.indexOf('=');
            if (equals < 0) {
                FUZZ_CHECK(sorted.lines(name).contains(line));
            } else {
                const QByteArray key = line.left(equals);
                FUZZ_CHECK(sorted.readString(name, key, "<none>") == document.readString(name, key, "<none>"));
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    QList<ChangeRule> rules;
    QByteArray rulesText;
    const int count = input.pick(8);
    for (int i = 0; i < count; ++i) {
        ChangeRule rule;
        rule.kind = ChangeRule::Kind(input.pick(4));
        rule.source = fieldFrom(input);
        rule.target = fieldFrom(input);
        const bool valueRule = rule.kind == ChangeRule::Kind::MoveValue || rule.kind == ChangeRule::Kind::CopyValue;
        if (valueRule) {
            rule.key = fieldFrom(input);
        }
        const QByteArray separator = input.flag() ? ", " : " ";
        QByteArray line = QByteArray(Keywords[int(rule.kind)]) + separator + quoted(rule.source) + separator +
                          quoted(rule.target) + (valueRule ? separator + quoted(rule.key) : QByteArray());
        if (input.flag()) {
            line = "; " + line; // a comment line: no rule
        } else {
            rules.append(rule);
        }
        rulesText += line + (input.flag() ? "\r\n" : "\n");
    }
    const QList<ChangeRule> parsed = RulesFile::parse(rulesText);
    FUZZ_CHECK(parsed.size() == rules.size());
    for (qsizetype i = 0; i < rules.size(); ++i) {
        FUZZ_CHECK(parsed[i].kind == rules[i].kind && parsed[i].source == rules[i].source &&
                   parsed[i].target == rules[i].target && parsed[i].key == rules[i].key);
    }
    (void)CommaText::split(input.bytes(64));

    const QByteArray text = input.rest();
    IniDocument document;
    document.setFromText(text);
    ModelDocument model;
    model.load(text);
    for (const ChangeRule& rule : rules) {
        RuleApplier::apply(document, rule);
        apply(model, rule);
        FUZZ_CHECK(document.toText() == model.text());
    }
    IniDocument written;
    written.setFromText(document.toText());
    checkSorted(written);
    return 0;
}
