#include "NvMessageDialog.h"
#include "ModalDriver.h"
#include "NvButtonWidthCache.h"
#include "TestRegistry.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <algorithm>

namespace {

QStringList buttonsLeftToRight(const QDialog& dialog) {
    QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    QStringList names;
    for (QPushButton* button : buttons) {
        names << button->objectName();
    }
    return names;
}

int units(int n, int size, int divisor) {
    return qRound(double(n) * size / divisor);
}

} // namespace

class NvMessageDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationName("Tolvane Test"); }

    void cleanup() {
        nvResetCaptions();
        NvButtonWidthCache::instance().clear();
        NvMessageDialog::setHelpHandler({});
        QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    }

    void geometryFollowsTheFont() {
        const QString text = "Are you sure you want to delete the project Demo?";
        NvMessageDialog dialog(text, MsgDlgType::Confirmation, mbYes | mbNo);
        const QFontMetrics fm(dialog.font());
        const int w = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
        const int h = fm.height();
        const int hMargin = units(8, w, 4), vMargin = units(8, h, 8);
        const int hSpacing = units(10, w, 4), vSpacing = units(10, h, 8);
        const int buttonWidth =
            std::max({units(50, w, 4), fm.boundingRect("Yes").width() + 8, fm.boundingRect("No").width() + 8});
        const int buttonHeight = units(14, h, 8);
        const QRect textRect = fm.boundingRect(QRect(0, 0, dialog.screen()->geometry().width() / 2, 0),
                                               Qt::TextWordWrap | Qt::TextExpandTabs, text);

        const int blockWidth = textRect.width() + 32 + hSpacing;
        const int blockHeight = std::max(textRect.height(), 32);
        const int groupWidth = 2 * buttonWidth + units(4, w, 4);
        const int clientWidth = std::max(blockWidth, groupWidth) + 2 * hMargin;
        QCOMPARE(dialog.size(), QSize(clientWidth, blockHeight + buttonHeight + vSpacing + 2 * vMargin));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.findChild<QLabel*>("Image")->geometry(), QRect(hMargin, vMargin, 32, 32));
        QCOMPARE(dialog.findChild<QLabel*>("Message")->geometry(),
                 QRect(QPoint(32 + hSpacing + hMargin, vMargin), textRect.size()));
        const int top = blockHeight + vMargin + vSpacing;
        const int left = (clientWidth - groupWidth) / 2;
        QCOMPARE(dialog.findChild<QPushButton*>("Yes")->geometry(), QRect(left, top, buttonWidth, buttonHeight));
        QCOMPARE(dialog.findChild<QPushButton*>("No")->geometry(),
                 QRect(left + buttonWidth + units(4, w, 4), top, buttonWidth, buttonHeight));
        QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void buttonOrder_data() {
        QTest::addColumn<unsigned>("buttons");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("help first in flags")
            << unsigned(mbHelp | mbCancel | mbNo | mbYes) << QStringList{"Yes", "No", "Cancel", "Help"};
        QTest::newRow("to all") << unsigned(mbYesToAll | mbAll | mbNoToAll | mbOK)
                                << QStringList{"OK", "All", "NoToAll", "YesToAll"};
        QTest::newRow("abort retry ignore")
            << unsigned(mbIgnore | mbRetry | mbAbort) << QStringList{"Abort", "Retry", "Ignore"};
        QTest::newRow("all eleven") << 0x7ffu << QStringList{"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                                             "Ignore", "All", "NoToAll", "YesToAll", "Help"};
    }
    void buttonOrder() {
        QFETCH(unsigned, buttons);
        QFETCH(QStringList, names);
        NvMessageDialog dialog("Text", MsgDlgType::Information, buttons);
        QCOMPARE(buttonsLeftToRight(dialog), names);
        const MessageDialogLayout& layout = dialog.dialogLayout();
        const QList<QPushButton*> all = dialog.findChildren<QPushButton*>();
        const int groupWidth = names.size() * layout.buttonWidth + (names.size() - 1) * layout.buttonSpacing;
        const int firstLeft = (dialog.width() - groupWidth) / 2;
        for (int i = 0; i < names.size(); ++i) {
            auto* button = dialog.findChild<QPushButton*>(names[i]);
            QCOMPARE(button->x(), firstLeft + i * (layout.buttonWidth + layout.buttonSpacing));
            QCOMPARE(button->width(), layout.buttonWidth);
            QCOMPARE(button->y(), all.first()->y());
        }
        // The group is centred and fits inside the margins.
        QVERIFY(firstLeft >= layout.horizontalMargin);
    }

    void keysAndCloseBox_data() {
        QTest::addColumn<unsigned>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("confirmation enter") << unsigned(mbYes | mbNo) << int(Qt::Key_Return) << mrYes;
        QTest::newRow("confirmation esc") << unsigned(mbYes | mbNo) << int(Qt::Key_Escape) << mrNo;
        QTest::newRow("confirmation close box") << unsigned(mbYes | mbNo) << 0 << mrCancel;
        QTest::newRow("ok cancel enter") << unsigned(mbOK | mbCancel) << int(Qt::Key_Enter) << mrOk;
        QTest::newRow("ok cancel esc") << unsigned(mbOK | mbCancel) << int(Qt::Key_Escape) << mrCancel;
        QTest::newRow("ok esc") << unsigned(mbOK) << int(Qt::Key_Escape) << mrOk;
        QTest::newRow("retry is default") << unsigned(mbAbort | mbRetry | mbIgnore) << int(Qt::Key_Return) << mrRetry;
        QTest::newRow("yes no cancel esc") << unsigned(mbYes | mbNo | mbCancel) << int(Qt::Key_Escape) << mrCancel;
    }
    void keysAndCloseBox() {
        QFETCH(unsigned, buttons);
        QFETCH(int, key);
        onNextModal([key](QWidget* modal) {
            if (key == 0) {
                modal->close();
                return;
            }
            QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
            QTest::keyClick(target, Qt::Key(key));
        });
        QTEST(NvMessageDialog::nvMessageDlg("Delete?", MsgDlgType::Confirmation, buttons), "result");
    }

    void escWithoutCancelButtonKeepsTheDialogOpen() {
        bool stillOpen = false;
        onNextModal([&stillOpen](QWidget* modal) {
            QTest::keyClick(modal, Qt::Key_Escape);
            stillOpen = modal->isVisible();
            modal->close();
        });
        QCOMPARE(NvMessageDialog::nvMessageDlg("Failed", MsgDlgType::Error, mbAbort | mbIgnore), mrCancel);
        QVERIFY(stillOpen);
    }

    void eachButtonReturnsItsResult_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("result");
        const QList<QPair<QString, int>> rows{{"Yes", 6},     {"No", 7},       {"OK", 1},     {"Cancel", 2},
                                              {"Abort", 3},   {"Retry", 4},    {"Ignore", 5}, {"All", 8},
                                              {"NoToAll", 9}, {"YesToAll", 10}};
        for (const auto& [name, result] : rows) {
            QTest::newRow(qPrintable(name)) << name << result;
        }
    }
    void eachButtonReturnsItsResult() {
        QFETCH(QString, name);
        onNextModal([name](QWidget* modal) {
            auto* button = modal->findChild<QPushButton*>(name);
            QVERIFY2(button, qPrintable(name));
            QTest::mouseClick(button, Qt::LeftButton);
        });
        QTEST(NvMessageDialog::nvMessageDlg("Pick one", MsgDlgType::Warning, 0x3ffu), "result");
    }

    void dialogLeftOpenFailsAndIsClosed() {
        onNextModal([](QWidget*) {}, nullptr, 200);
        QElapsedTimer clock;
        clock.start();
        QEXPECT_FAIL("", "the guard reports the dialog the action left open", Continue);
        const int result = NvMessageDialog::nvMessageDlg("Nobody answers", MsgDlgType::Warning, mbOK);
        QCOMPARE(result, int(mrCancel));
        QVERIFY(clock.elapsed() < 5000);
    }

    void helpCallsTheHookAndStaysOpen() {
        QList<int> contexts;
        NvMessageDialog::setHelpHandler([&contexts](int context) { contexts << context; });
        bool stillOpen = false;
        onNextModal([&stillOpen](QWidget* modal) {
            QTest::mouseClick(modal->findChild<QPushButton*>("Help"), Qt::LeftButton);
            stillOpen = modal->isVisible();
            QTest::mouseClick(modal->findChild<QPushButton*>("OK"), Qt::LeftButton);
        });
        QCOMPARE(NvMessageDialog::nvMessageDlg("See help", MsgDlgType::Information, mbOK | mbHelp, 42), mrOk);
        QVERIFY(stillOpen);
        QCOMPARE(contexts, QList<int>{42});
    }

    void titlesAndIcons_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("icon");
        QTest::newRow("warning") << int(MsgDlgType::Warning) << "Warning" << true;
        QTest::newRow("error") << int(MsgDlgType::Error) << "Error" << true;
        QTest::newRow("information") << int(MsgDlgType::Information) << "Information" << true;
        QTest::newRow("confirmation") << int(MsgDlgType::Confirmation) << "Confirmation" << true;
        QTest::newRow("custom shows the application") << int(MsgDlgType::Custom) << "Tolvane Test" << false;
    }
    void titlesAndIcons() {
        QFETCH(int, type);
        QFETCH(bool, icon);
        NvMessageDialog dialog("Text", MsgDlgType(type), mbOK);
        QTEST(dialog.windowTitle(), "title");
        auto* image = dialog.findChild<QLabel*>("Image");
        QCOMPARE(image != nullptr, icon);
        if (icon) {
            QVERIFY(!image->pixmap().isNull());
        } else {
            QCOMPARE(dialog.findChild<QLabel*>("Message")->x(), dialog.dialogLayout().horizontalMargin);
        }
    }

    void longTextWrapsWithinHalfTheScreen() {
        const QString longText = QString("This message goes on and on. ").repeated(40);
        NvMessageDialog shortDialog("Short", MsgDlgType::Warning, mbOK);
        NvMessageDialog longDialog(longText, MsgDlgType::Warning, mbOK);
        auto* message = longDialog.findChild<QLabel*>("Message");
        const int half = longDialog.screen()->geometry().width() / 2;
        QVERIFY(message->width() <= half);
        QVERIFY(message->width() > half * 3 / 4);
        QVERIFY(longDialog.width() <= half + 32 + 2 * longDialog.dialogLayout().horizontalMargin +
                                          longDialog.dialogLayout().horizontalSpacing);
        QVERIFY(longDialog.height() > shortDialog.height() + 3 * QFontMetrics(longDialog.font()).height());
        QCOMPARE(message->text(), longText);
    }

    void replacedCaptionsShow() {
        nvSetCaption("ButtonYes", "Ja");
        nvSetCaption("ButtonNo", "Nein");
        nvSetCaption("DialogTitleConfirmation", "Bestätigung");
        NvMessageDialog dialog("Löschen?", MsgDlgType::Confirmation, mbYes | mbNo);
        QCOMPARE(dialog.windowTitle(), QString("Bestätigung"));
        QCOMPARE(dialog.findChild<QPushButton*>("Yes")->text(), QString("Ja"));
        QCOMPARE(dialog.findChild<QPushButton*>("No")->text(), QString("Nein"));
        // The custom title is kept but the application's title is shown.
        nvSetCaption("DialogTitleCustom", "Eigen");
        QCOMPARE(NvMessageDialog("x", MsgDlgType::Custom, mbOK).windowTitle(), QString("Tolvane Test"));
    }

    void widthCacheWidensEveryButton() {
        NvButtonWidthCache& cache = NvButtonWidthCache::instance();
        nvSetCaption("ButtonYesToAll", "Yes to every single file in this folder");
        QVERIFY(!cache.isMeasured(mbYesToAll));
        NvMessageDialog dialog("Overwrite?", MsgDlgType::Confirmation, mbYes | mbNo | mbYesToAll);
        QVERIFY(cache.isMeasured(mbYesToAll));
        QVERIFY(!cache.isMeasured(mbCancel));
        const QFontMetrics fm(dialog.font());
        const int expected =
            fm.boundingRect(QRect(), Qt::TextSingleLine, "Yes to every single file in this folder").width() + 8;
        QCOMPARE(dialog.findChild<QPushButton*>("YesToAll")->width(), expected);
        QCOMPARE(dialog.findChild<QPushButton*>("Yes")->width(), expected);
        QVERIFY(dialog.width() >= 3 * expected);
        // A later dialog without that button keeps the ordinary width.
        NvMessageDialog plain("Overwrite?", MsgDlgType::Confirmation, mbYes | mbNo);
        QVERIFY(plain.findChild<QPushButton*>("Yes")->width() < expected);
    }

    void rightToLeftPutsTheTextOnTheRight() {
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
        NvMessageDialog dialog("Right to left", MsgDlgType::Warning, mbOK | mbCancel);
        const MessageDialogLayout& layout = dialog.dialogLayout();
        auto* message = dialog.findChild<QLabel*>("Message");
        auto* image = dialog.findChild<QLabel*>("Image");
        QCOMPARE(dialog.layoutDirection(), Qt::RightToLeft);
        QCOMPARE(image->geometry().right() + 1, dialog.width() - layout.horizontalMargin);
        QVERIFY(message->geometry().right() < image->x());
        QVERIFY(!message->geometry().intersects(image->geometry()));
    }
};

TOLVANE_TEST(NvMessageDialogTest)
#include "NvMessageDialogTest.moc"
