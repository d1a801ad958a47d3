#include "TestRegistry.h"

#include "ModalDriver.h"
#include "QtDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The real dialogs behind the seam that the page tests answer in advance: the program's
// translated confirmation and input dialogs, with the texts the seam was given.
class QtDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void confirmationAsksYesOrNo_data();
    void confirmationAsksYesOrNo();
    void translatedInputAsksWithTheGivenTexts();
};

void QtDialogsTest::confirmationAsksYesOrNo_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << "Yes" << true;
    QTest::newRow("no") << "No" << false;
}

void QtDialogsTest::confirmationAsksYesOrNo() {
    QFETCH(QString, button);
    QFETCH(bool, yes);
    QString title;
    QString text;
    QStringList buttons;
    onNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        text = modal->findChild<QLabel*>("Message")->text();
        for (const QPushButton* each : modal->findChildren<QPushButton*>()) {
            buttons.append(each->objectName());
        }
        QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
    });
    QtDialogs dialogs;
    QCOMPARE(dialogs.confirm("Are you sure you want to delete the project Old one?"), yes);
    QCOMPARE(title, QStringLiteral("Confirmation"));
    QCOMPARE(text, QStringLiteral("Are you sure you want to delete the project Old one?"));
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"No", "Yes"}));
}

void QtDialogsTest::translatedInputAsksWithTheGivenTexts() {
    QString title;
    QString prompt;
    QString offered;
    onNextModal([&](QWidget* modal) {
        title = modal->windowTitle();
        prompt = modal->findChild<QLabel*>("Prompt")->text();
        auto* edit = modal->findChild<QLineEdit*>("Edit");
        offered = edit->text();
        edit->setText("Gamma");
        QTest::mouseClick(modal->findChild<QPushButton*>("OK"), Qt::LeftButton);
    });
    QStringList checked;
    QtDialogs dialogs;
    QString value = "Alpha";
    QVERIFY(dialogs.inputText("Rename project", "Please enter the new project name for Alpha:", value,
                              [&checked](const QString& text) {
                                  checked.append(text);
                                  return QString();
                              }));
    QCOMPARE(value, QStringLiteral("Gamma"));
    QCOMPARE(title, QStringLiteral("Rename project"));
    QCOMPARE(prompt, QStringLiteral("Please enter the new project name for Alpha:"));
    QCOMPARE(offered, QStringLiteral("Alpha"));
    QCOMPARE(checked, QStringList{"Gamma"});
}

TOLVANE_TEST(QtDialogsTest)
#include "QtDialogsTest.moc"
