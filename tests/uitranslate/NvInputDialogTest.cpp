#include "NvInputDialog.h"
#include "ModalDriver.h"
#include "NvMessageDialog.h"
#include "NvMessageTextWidget.h"
#include "TestRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class NvInputDialogTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        QApplication::setFont(m_originalFont);
        nvResetCaptions();
    }

    void geometryFollowsTheFont_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("sans 9 short") << QFont("DejaVu Sans", 9) << "Name:";
        QTest::newRow("sans 10 long") << QFont("DejaVu Sans", 10)
                                      << "Please enter the new project name for a project whose old name is long:";
        QTest::newRow("serif 14") << QFont("DejaVu Serif", 14) << "Please enter the new project name for Demo:";
        QTest::newRow("mono 8") << QFont("DejaVu Sans Mono", 8) << "New name:";
    }
    void geometryFollowsTheFont() {
        QFETCH(QFont, font);
        QFETCH(QString, prompt);
        QApplication::setFont(font);
        NvInputDialog dialog("Rename project", prompt, "Demo");
        const QFontMetrics fm(font);
        const int w = fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52;
        const int h = fm.height();
        const auto x = [w](int n) { return qRound(n * w / 4.0); };
        const auto y = [h](int n) { return qRound(n * h / 8.0); };

        const QRect promptRect = dialog.findChild<QLabel*>("Prompt")->geometry();
        QCOMPARE(promptRect.topLeft(), QPoint(x(8), y(8)));
        QVERIFY(promptRect.width() <= x(164));
        QVERIFY(promptRect.height() >= h);
        if (fm.horizontalAdvance(prompt) > x(164)) {
            QVERIFY(promptRect.height() >= 2 * h);
        }
        const QRect edit = dialog.findChild<QLineEdit*>("Edit")->geometry();
        QCOMPARE(edit.topLeft(), QPoint(x(8), promptRect.bottom() + 1 + 5));
        QCOMPARE(edit.width(), x(164));
        QVERIFY(edit.height() >= h);
        const int buttonTop = edit.bottom() + 1 + 15;
        QCOMPARE(dialog.findChild<QPushButton*>("OK")->geometry(), QRect(x(38), buttonTop, x(50), y(14)));
        const QRect cancel = dialog.findChild<QPushButton*>("Cancel")->geometry();
        QCOMPARE(cancel, QRect(x(92), buttonTop, x(50), y(14)));
        QCOMPARE(dialog.size(), QSize(x(180), cancel.bottom() + 1 + 13));
        QCOMPARE(dialog.windowTitle(), QString("Rename project"));
    }

    void promptShowsAWordWiderThanTheLine() {
        const QString prompt =
            "Please enter the new project name for A_very_long_project_name_without_any_spaces_at_all_here:";
        NvInputDialog dialog("Rename project", prompt, "Demo");
        NvInputDialog plain("Rename project", "Please enter the new project name for Demo:", "Demo");
        auto* label = dialog.findChild<QLabel*>("Prompt");
        QCOMPARE(label->text(), prompt);
        // Drawn with the flags it was measured with; a word-wrapping QLabel never breaks a word.
        const auto* shown = qobject_cast<NvMessageTextWidget*>(label);
        const int flags = shown ? shown->flags() : int(Qt::TextWordWrap);
        const QRect needed = QFontMetrics(label->font()).boundingRect(QRect(QPoint(), label->size()), flags, prompt);
        QVERIFY2(needed.width() <= label->width(),
                 qPrintable(QString("%1 > %2").arg(needed.width()).arg(label->width())));
        QVERIFY(needed.height() <= label->height());
        QCOMPARE(dialog.width(), plain.width());
        QVERIFY(dialog.height() > plain.height());
        QVERIFY(
            !(qobject_cast<NvMessageTextWidget*>(plain.findChild<QLabel*>("Prompt"))->flags() & Qt::TextWrapAnywhere));
    }

    void editStartsSelectedAndLimited() {
        NvInputDialog dialog("Rename project", "Name:", "Demo");
        auto* edit = dialog.findChild<QLineEdit*>("Edit");
        QCOMPARE(edit->text(), QString("Demo"));
        QCOMPARE(edit->selectedText(), QString("Demo"));
        QCOMPARE(edit->maxLength(), 255);
        QVERIFY(dialog.findChild<QPushButton*>("OK")->isDefault());
        QVERIFY(!dialog.findChild<QPushButton*>("Cancel")->isDefault());
    }

    void translatedButtons() {
        nvSetCaption("ButtonOK", "Gut");
        nvSetCaption("ButtonCancel", "Abbrechen");
        NvInputDialog dialog("Umbenennen", "Name:", "");
        QCOMPARE(dialog.findChild<QPushButton*>("OK")->text(), QString("Gut"));
        QCOMPARE(dialog.findChild<QPushButton*>("Cancel")->text(), QString("Abbrechen"));
    }

    void answers_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("value");
        QTest::newRow("ok") << "ok" << true << "Renamed";
        QTest::newRow("enter") << "enter" << true << "Renamed";
        QTest::newRow("cancel") << "cancel" << false << "Demo";
        QTest::newRow("esc") << "esc" << false << "Demo";
        QTest::newRow("close box") << "close" << false << "Demo";
    }
    void answers() {
        QFETCH(QString, action);
        onNextModal([action](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>("Edit");
            QTest::keyClicks(edit, "Renamed");
            if (action == "ok") {
                QTest::mouseClick(modal->findChild<QPushButton*>("OK"), Qt::LeftButton);
            } else if (action == "cancel") {
                QTest::mouseClick(modal->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
            } else if (action == "enter") {
                QTest::keyClick(edit, Qt::Key_Return);
            } else if (action == "esc") {
                QTest::keyClick(edit, Qt::Key_Escape);
            } else {
                modal->close();
            }
        });
        QString value = "Demo";
        QTEST(NvInputDialog::nvInputQuery("Rename project", "Name:", value), "confirmed");
        QTEST(value, "value");
    }

    void refusedTextKeepsTheDialogOpen() {
        QStringList checked;
        const auto validator = [&checked](const QString& text) {
            checked << text;
            return text == "Taken" ? QString("The name is taken.") : QString();
        };
        QString warning;
        QString warningTitle;
        bool inputReturned = false;
        onNextModal([&](QWidget* input) {
            auto* edit = input->findChild<QLineEdit*>("Edit");
            edit->setText("Taken");
            onNextModal(
                [&, input, edit](QWidget* message) {
                    warning = message->findChild<QLabel*>("Message")->text();
                    warningTitle = message->windowTitle();
                    QTest::mouseClick(message->findChild<QPushButton*>("OK"), Qt::LeftButton);
                    onNextModal([&, input, edit](QWidget* again) {
                        inputReturned = again == input && edit->selectedText() == "Taken";
                        edit->setText("Fresh");
                        QTest::mouseClick(again->findChild<QPushButton*>("OK"), Qt::LeftButton);
                    });
                },
                input);
            QTest::mouseClick(input->findChild<QPushButton*>("OK"), Qt::LeftButton);
        });
        QString value = "Demo";
        QVERIFY(NvInputDialog::nvInputQuery("Rename project", "Name:", value, validator));
        QCOMPARE(value, QString("Fresh"));
        QCOMPARE(warning, QString("The name is taken."));
        QCOMPARE(warningTitle, QString("Warning"));
        QVERIFY(inputReturned);
        QCOMPARE(checked, (QStringList{"Taken", "Fresh"}));
    }

    void cancelSkipsTheValidator() {
        bool called = false;
        onNextModal(
            [](QWidget* modal) { QTest::mouseClick(modal->findChild<QPushButton*>("Cancel"), Qt::LeftButton); });
        QString value = "Demo";
        QVERIFY(!NvInputDialog::nvInputQuery("Rename project", "Name:", value, [&called](const QString&) {
            called = true;
            return QString("never");
        }));
        QVERIFY(!called);
        QCOMPARE(value, QString("Demo"));
    }

private:
    const QFont m_originalFont = QApplication::font();
};

TOLVANE_TEST(NvInputDialogTest)
#include "NvInputDialogTest.moc"
