#include "IniText.h"
#include "TestRegistry.h"

#include "CommaText.h"
#include "RuleApplier.h"
#include "RulesFile.h"

#include <QtTest>

// Rule lines and their effect on one document, checked on its write-back bytes.
class ChangeRulesTest : public QObject {
    Q_OBJECT
private slots:
    void commaText_data();
    void commaText();
    void ruleLines_data();
    void ruleLines();
    void applied_data();
    void applied();
};

void ChangeRulesTest::commaText_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QList<QByteArray>>("fields");
    QTest::newRow("commas") << QByteArray("A,B,C") << QList<QByteArray>{"A", "B", "C"};
    QTest::newRow("spaces and tabs") << QByteArray("  A B\tC ") << QList<QByteArray>{"A", "B", "C"};
    QTest::newRow("blanks around commas") << QByteArray("A , B ,C") << QList<QByteArray>{"A", "B", "C"};
    QTest::newRow("two commas: empty field") << QByteArray("A,,B") << QList<QByteArray>{"A", "", "B"};
    QTest::newRow("comma at the end: empty field") << QByteArray("A,") << QList<QByteArray>{"A", ""};
    QTest::newRow("comma and blank at the end") << QByteArray("A, ") << QList<QByteArray>{"A"};
    QTest::newRow("quoted space and comma")
        << QByteArray("\"Old Dialog\",\"a,b\"") << QList<QByteArray>{"Old Dialog", "a,b"};
    QTest::newRow("doubled quote") << QByteArray("\"say \"\"hi\"\"\" x") << QList<QByteArray>{"say \"hi\"", "x"};
    QTest::newRow("text after closing quote") << QByteArray("\"ab\"cd") << QList<QByteArray>{"ab", "cd"};
    QTest::newRow("unclosed quote runs to the end") << QByteArray("\"a b, c") << QList<QByteArray>{"a b, c"};
    QTest::newRow("NUL ends the line") << QByteArray("A B\0C", 5) << QList<QByteArray>{"A", "B"};
    QTest::newRow("blank line") << QByteArray(" \t ") << QList<QByteArray>{};
}

void ChangeRulesTest::commaText() {
    QFETCH(QByteArray, line);
    QFETCH(QList<QByteArray>, fields);
    QCOMPARE(CommaText::split(line), fields);
}

void ChangeRulesTest::ruleLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QList<QByteArray>>("rule"); // kind, source, target, key; empty: no rule
    QTest::newRow("commas") << QByteArray("MOVEVALUE,Form1,Form2,Caption")
                            << QList<QByteArray>{"0", "Form1", "Form2", "Caption"};
    QTest::newRow("spaces, extra field") << QByteArray("COPYVALUE Form1 Form2 Caption more")
                                         << QList<QByteArray>{"1", "Form1", "Form2", "Caption"};
    QTest::newRow("section names") << QByteArray("MOVEKEY, \"Old Dialog\" , New")
                                   << QList<QByteArray>{"2", "Old Dialog", "New", ""};
    QTest::newRow("copy key") << QByteArray("COPYKEY A B") << QList<QByteArray>{"3", "A", "B", ""};
    QTest::newRow("lower-case keyword") << QByteArray("movevalue,Form1,Form2,Caption") << QList<QByteArray>{};
    QTest::newRow("too few fields") << QByteArray("COPYVALUE,Form1,Form2") << QList<QByteArray>{};
    QTest::newRow("too few for a key rule") << QByteArray("MOVEKEY Form1") << QList<QByteArray>{};
    QTest::newRow("quoted keyword counts") << QByteArray("\"COPYKEY\" A B") << QList<QByteArray>{"3", "A", "B", ""};
    QTest::newRow("comment") << QByteArray("; MOVEKEY A B") << QList<QByteArray>{};
}

void ChangeRulesTest::ruleLines() {
    QFETCH(QByteArray, line);
    QFETCH(QList<QByteArray>, rule);
    const auto parsed = ChangeRule::fromLine(line);
    QCOMPARE(parsed.has_value(), !rule.isEmpty());
    if (parsed) {
        QCOMPARE(
            QList<QByteArray>({QByteArray::number(int(parsed->kind)), parsed->source, parsed->target, parsed->key}),
            rule);
    }
}

void ChangeRulesTest::applied_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("rules");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray forms("[Form1]\nCaption=Hello\nHint=Hi\n[Form2]\nOther=1\n");
    QTest::newRow("move value") << forms << QByteArray("MOVEVALUE,Form1,Form2,Caption")
                                << QByteArray("[Form1]\r\nHint=Hi\r\n\r\n[Form2]\r\nOther=1\r\nCaption=Hello\r\n\r\n");
    QTest::newRow("copy value, names ignore case")
        << forms << QByteArray("COPYVALUE form1 FORM2 caption")
        << QByteArray("[Form1]\r\nCaption=Hello\r\nHint=Hi\r\n\r\n[Form2]\r\nOther=1\r\ncaption=Hello\r\n\r\n");
    QTest::newRow("empty value stays") << QByteArray("; c\n[Form1]\nCaption=\n")
                                       << QByteArray("MOVEVALUE Form1 Form2 Caption")
                                       << QByteArray("[Form1]\r\nCaption=\r\n\r\n");
    QTest::newRow("copy key overwrites in place, appends the rest")
        << QByteArray("[A]\nx=new\ny=2\n[B]\nz=0\nX=old\n") << QByteArray("COPYKEY A B")
        << QByteArray("[A]\r\nx=new\r\ny=2\r\n\r\n[B]\r\nz=0\r\nx=new\r\ny=2\r\n\r\n");
    QTest::newRow("move key into a new section at the end")
        << QByteArray("[A]\nx=1\n[C]\nc=3\n") << QByteArray("MOVEKEY A B")
        << QByteArray("[C]\r\nc=3\r\n\r\n[B]\r\nx=1\r\n\r\n");
    QTest::newRow("move key of an empty section leaves it")
        << QByteArray("[A]\n[C]\nc=3\n") << QByteArray("MOVEKEY A B") << QByteArray("[A]\r\n\r\n[C]\r\nc=3\r\n\r\n");
    QTest::newRow("line without = carried once")
        << QByteArray("[A]\nJust text\nx=1\n[B]\nJust text\n") << QByteArray("MOVEKEY A B")
        << QByteArray("[B]\r\nJust text\r\nx=1\r\n\r\n");
    QTest::newRow("same section ignoring case changes nothing")
        << forms << QByteArray("MOVEVALUE Form1 form1 Caption\nMOVEKEY FORM2 Form2")
        << QByteArray("[Form1]\r\nCaption=Hello\r\nHint=Hi\r\n\r\n[Form2]\r\nOther=1\r\n\r\n");
    QTest::newRow("each rule sees the ones before")
        << forms << QByteArray("MOVEKEY Form1 Tmp\r\nMOVEVALUE,Tmp,Form2,Hint\rCOPYVALUE Form1 Form2 Caption")
        << QByteArray("[Form2]\r\nOther=1\r\nHint=Hi\r\n\r\n[Tmp]\r\nCaption=Hello\r\n\r\n");
    QTest::newRow("unquoted name with a space names other sections")
        << QByteArray("[Old Dialog]\nx=1\n") << QByteArray("MOVEKEY Old Dialog New")
        << QByteArray("[Old Dialog]\r\nx=1\r\n\r\n");
    QTest::newRow("no valid rule: normal form only")
        << QByteArray("; c\n[A]\n  x  =  1\n\n") << QByteArray("movekey A B\nCOPYKEY A\n\n")
        << QByteArray("[A]\r\nx=1\r\n\r\n");
}

void ChangeRulesTest::applied() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, rules);
    QFETCH(QByteArray, expected);
    IniDocument document = iniFromText(text);
    RuleApplier::apply(document, RulesFile::parse(rules));
    QCOMPARE(document.toText(), expected);
}

TOLVANE_TEST(ChangeRulesTest)
#include "ChangeRulesTest.moc"
