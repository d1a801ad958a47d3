#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>

// Runs action on the next modal dialog once it is up, so a test can drive exec() loops. A dialog
// that never appears leaves the action unrun, and the test's checks on its outcome fail. A dialog
// the action leaves open fails the test after guardMs and is rejected, with any modal dialog
// still open above it, so that a broken dialog ends its exec() instead of hanging the run.
inline void onNextModal(std::function<void(QWidget*)> action, QWidget* besides = nullptr, int guardMs = 2000) {
    auto* timer = new QTimer;
    auto remaining = std::make_shared<int>(500);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, remaining, besides, guardMs, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != besides && modal->isVisible()) {
            timer->deleteLater();
            timer->stop();
            QPointer<QWidget> handled(modal);
            action(modal);
            QTimer::singleShot(guardMs, [handled] {
                if (!handled || !handled->isVisible()) {
                    return;
                }
                QTest::qFail("a modal dialog was still open after its action", __FILE__, __LINE__);
                // Innermost first: each rejected dialog's exec() returns before the one below it.
                for (int left = 10; left > 0 && handled && handled->isVisible(); --left) {
                    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                    if (!dialog) {
                        break;
                    }
                    dialog->reject();
                    if (dialog == handled) {
                        break;
                    }
                }
            });
        } else if (--*remaining <= 0) {
            timer->deleteLater();
            timer->stop();
        }
    });
    timer->start();
}
