#pragma once

#include <QPlainTextEdit>

// A wrapped memo in which Enter starts no new line: the key goes on to the window.
class ReturnlessMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ReturnlessMemo(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
