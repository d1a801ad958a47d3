#include "NvDialogLayout.h"
#include "TestRegistry.h"

#include <QFont>
#include <QFontMetrics>
#include <QtTest>

class NvDialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void dialogUnitsRound_data() {
        QTest::addColumn<int>("averageWidth");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("pixelsX");
        QTest::addColumn<int>("pixelsY");
        QTest::newRow("exact") << 8 << 16 << 8 << 16 << 16;
        QTest::newRow("x half up") << 7 << 12 << 10 << 18 << 15;
        QTest::newRow("x half up, y quarter down") << 7 << 15 << 14 << 25 << 26;
        QTest::newRow("x quarter down, y up") << 5 << 15 << 1 << 1 << 2;
        QTest::newRow("zero") << 6 << 13 << 0 << 0 << 0;
    }
    void dialogUnitsRound() {
        QFETCH(int, averageWidth);
        QFETCH(int, height);
        QFETCH(int, units);
        const DialogFontMetrics metrics(averageWidth, height);
        QTEST(metrics.horz(units), "pixelsX");
        QTEST(metrics.vert(units), "pixelsY");
    }

    void averageWidthOfTheLetters_data() {
        QTest::addColumn<QFont>("font");
        QTest::newRow("sans 8") << QFont("DejaVu Sans", 8);
        QTest::newRow("sans 12 bold") << QFont("DejaVu Sans", 12, QFont::Bold);
        QTest::newRow("mono 10") << QFont("DejaVu Sans Mono", 10);
    }
    void averageWidthOfTheLetters() {
        QFETCH(QFont, font);
        const QFontMetrics fm(font);
        const DialogFontMetrics units = DialogFontMetrics::of(fm);
        int sum = 0;
        for (char c = 'A'; c <= 'Z'; ++c) {
            sum += fm.horizontalAdvance(QChar(c)) + fm.horizontalAdvance(QChar(c + 32));
        }
        // Kerning aside, the average lies within a pixel of the per-letter sum.
        QVERIFY(qAbs(units.averageCharWidth() - sum / 52) <= 1);
        QCOMPARE(units.charHeight(), fm.height());
        QVERIFY(units.averageCharWidth() > 0);
    }

    void messageLayout_data() {
        QTest::addColumn<QSize>("text");
        QTest::addColumn<bool>("icon");
        QTest::addColumn<unsigned>("buttons");
        QTest::addColumn<int>("widest");
        QTest::addColumn<bool>("rtl");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("textAt");
        QTest::addColumn<QPoint>("iconAt");
        QTest::addColumn<QList<int>>("lefts");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        // Units of a 6 x 13 font: margins 12/13, spacing 15/16, button 75 x 23, gap 6.
        QTest::newRow("confirmation yes no")
            << QSize(200, 30) << true << unsigned(mbYes | mbNo) << 0 << false << QSize(271, 97) << QPoint(59, 13)
            << QPoint(12, 13) << QList<int>{57, 138} << 61 << 75;
        QTest::newRow("text wider than buttons")
            << QSize(300, 16) << false << unsigned(mbOK) << 0 << false << QSize(324, 81) << QPoint(12, 13)
            << QPoint(-1, -1) << QList<int>{124} << 45 << 75;
        QTest::newRow("buttons wider than text")
            << QSize(50, 16) << true << unsigned(mbHelp | mbCancel | mbNo | mbYes) << 0 << false << QSize(342, 97)
            << QPoint(59, 13) << QPoint(12, 13) << QList<int>{12, 93, 174, 255} << 61 << 75;
        QTest::newRow("cached width widens buttons")
            << QSize(100, 16) << false << unsigned(mbOK | mbCancel) << 90 << false << QSize(210, 81) << QPoint(12, 13)
            << QPoint(-1, -1) << QList<int>{12, 108} << 45 << 90;
        QTest::newRow("narrow cached width ignored")
            << QSize(100, 16) << false << unsigned(mbOK) << 40 << false << QSize(124, 81) << QPoint(12, 13)
            << QPoint(-1, -1) << QList<int>{24} << 45 << 75;
        QTest::newRow("right to left mirrors text and icon")
            << QSize(200, 30) << true << unsigned(mbYes | mbNo) << 0 << true << QSize(271, 97) << QPoint(12, 13)
            << QPoint(227, 13) << QList<int>{57, 138} << 61 << 75;
        QTest::newRow("no buttons") << QSize(100, 16) << false << 0u << 0 << false << QSize(124, 81) << QPoint(12, 13)
                                    << QPoint(-1, -1) << QList<int>{} << 45 << 75;
    }
    void messageLayout() {
        QFETCH(QSize, text);
        QFETCH(bool, icon);
        QFETCH(unsigned, buttons);
        QFETCH(int, widest);
        QFETCH(bool, rtl);
        QFETCH(QPoint, iconAt);
        QFETCH(QList<int>, lefts);
        QFETCH(int, top);
        QFETCH(int, width);
        MessageLayoutInput input;
        input.textSize = text;
        input.hasIcon = icon;
        input.buttons = buttons;
        input.widestButton = widest;
        input.rightToLeft = rtl;
        const MessageDialogLayout layout = computeMessageLayout(DialogFontMetrics(6, 13), input);
        QTEST(layout.clientSize, "client");
        QTEST(layout.textRect.topLeft(), "textAt");
        QCOMPARE(layout.textRect.size(), text);
        if (icon) {
            QCOMPARE(layout.iconRect, QRect(iconAt, QSize(32, 32)));
        } else {
            QVERIFY(layout.iconRect.isNull());
        }
        QCOMPARE(int(layout.buttons.size()), lefts.size());
        for (int i = 0; i < lefts.size(); ++i) {
            QCOMPARE(layout.buttons[i].rect, QRect(lefts[i], top, width, 23));
        }
    }

    void defaultAndCancelButtons_data() {
        QTest::addColumn<unsigned>("buttons");
        QTest::addColumn<unsigned>("defaultButton");
        QTest::addColumn<unsigned>("cancelButton");
        QTest::newRow("yes no") << unsigned(mbYes | mbNo) << unsigned(mbYes) << unsigned(mbNo);
        QTest::newRow("ok cancel") << unsigned(mbOK | mbCancel) << unsigned(mbOK) << unsigned(mbCancel);
        QTest::newRow("yes no cancel") << unsigned(mbYes | mbNo | mbCancel) << unsigned(mbYes) << unsigned(mbCancel);
        QTest::newRow("ok alone") << unsigned(mbOK) << unsigned(mbOK) << unsigned(mbOK);
        QTest::newRow("abort retry ignore") << unsigned(mbAbort | mbRetry | mbIgnore) << unsigned(mbRetry) << 0u;
        QTest::newRow("abort ignore") << unsigned(mbAbort | mbIgnore) << 0u << 0u;
        QTest::newRow("ok yes no") << unsigned(mbOK | mbYes | mbNo) << unsigned(mbOK) << unsigned(mbNo);
    }
    void defaultAndCancelButtons() {
        QFETCH(unsigned, buttons);
        QTEST(nvDefaultButton(buttons), "defaultButton");
        QTEST(nvCancelButton(buttons), "cancelButton");
    }

    void inputLayout() {
        // Units of a 7 x 16 font.
        const InputDialogLayout layout = computeInputLayout(DialogFontMetrics(7, 16), QSize(200, 32), 24);
        QCOMPARE(layout.promptRect, QRect(14, 16, 200, 32));
        QCOMPARE(layout.editRect, QRect(14, 53, 287, 24));
        QCOMPARE(layout.okRect, QRect(67, 92, 88, 28));
        QCOMPARE(layout.cancelRect, QRect(161, 92, 88, 28));
        QCOMPARE(layout.clientSize, QSize(315, 133));
    }

    void promptWrapsWithinItsWidth() {
        const QFontMetrics fm(QFont("DejaVu Sans", 10));
        const QString prompt = "Please enter the new project name for a project with a rather long old name:";
        const QSize size = measurePrompt(fm, prompt, 200);
        QVERIFY(size.width() <= 200);
        QVERIFY(size.height() >= 2 * fm.height());
        const QSize oneLine = measurePrompt(fm, "Name:", 200);
        QVERIFY(oneLine.width() < 200);
        QVERIFY(oneLine.height() >= fm.height() && oneLine.height() < 2 * fm.height());
        // A single word longer than the room is broken anywhere rather than clipped or widening the dialog.
        const QString word(80, 'W');
        const QSize broken = measurePrompt(fm, word, 200);
        QVERIFY(broken.width() <= 200);
        QVERIFY(broken.height() >= fm.horizontalAdvance(word) / 200 * fm.height());
    }

    void messageTextExpandsTabsAndWraps() {
        const QFontMetrics fm(QFont("DejaVu Sans", 10));
        const QSize plain = measureMessageText(fm, "a b", 400);
        const QSize tabbed = measureMessageText(fm, "a\tb", 400);
        QVERIFY(tabbed.width() > plain.width() + fm.horizontalAdvance(' '));
        const QSize wrapped = measureMessageText(fm, QString("word ").repeated(100), 400);
        QVERIFY(wrapped.width() <= 400);
        QVERIFY(wrapped.height() > 3 * fm.height());
    }

    void buttonWidthIgnoresAcceleratorMark() {
        const QFontMetrics fm(QFont("DejaVu Sans", 10));
        const auto singleLine = [&fm](const QString& text) {
            return fm.boundingRect(QRect(), Qt::TextSingleLine, text).width();
        };
        QCOMPARE(measureButtonWidth(fm, "&Ja"), singleLine("Ja") + 8);
        QCOMPARE(measureButtonWidth(fm, "Yes to all"), singleLine("Yes to all") + 8);
    }
};

TOLVANE_TEST(NvDialogLayoutTest)
#include "NvDialogLayoutTest.moc"
