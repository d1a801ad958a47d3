#pragma once

#include <QLabel>

// A plain-text label that word-wraps and expands tabs the way the message was measured;
// QLabel itself turns tabs into single spaces.
class NvMessageTextWidget : public QLabel {
    Q_OBJECT
public:
    explicit NvMessageTextWidget(const QString& text, QWidget* parent = nullptr);

    static int textFlags();

protected:
    void paintEvent(QPaintEvent* event) override;
};
