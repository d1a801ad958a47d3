#pragma once

#include <QListWidget>

// The project list. Only the left button moves the selection; every press is reported once it
// is handled, and a left click on the entry already selected is reported as a click again.
class ProjectListWidget : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

    // Row of the selected entry, -1 when none is selected.
    int selectedRow() const;

signals:
    void mouseDown();
    // A left press on the selected entry, which changes no selection and so reports nothing else.
    void selectedEntryClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
