#pragma once

#include <QListWidget>

// The project list. Only the left button moves the selection, and every press is reported once
// the list has handled it.
class ProjectListWidget : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

    // Row of the selected entry, -1 when none is selected.
    int selectedRow() const;

signals:
    void mouseDown();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
