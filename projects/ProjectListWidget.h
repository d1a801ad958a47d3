#pragma once

#include <QListWidget>

// The project list; reports a mouse press once the press has moved the selection.
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
