#pragma once

#include <QLabel>

// A one-line label that ends its text with "…" where the width cuts it off, so that a cut line
// shows it is cut; text() stays whole.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
