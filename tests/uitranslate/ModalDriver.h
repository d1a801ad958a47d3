#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs action on the next modal dialog once it is up, so a test can drive exec() loops. A dialog
// that never appears leaves the action unrun, and the test's checks on its outcome fail.
inline void onNextModal(std::function<void(QWidget*)> action, QWidget* besides = nullptr) {
    auto* timer = new QTimer;
    auto remaining = std::make_shared<int>(500);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, remaining, besides, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != besides && modal->isVisible()) {
            timer->deleteLater();
            timer->stop();
            action(modal);
        } else if (--*remaining <= 0) {
            timer->deleteLater();
            timer->stop();
        }
    });
    timer->start();
}
