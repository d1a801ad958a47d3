#include "ProjectListWidget.h"

#include <QMouseEvent>

int ProjectListWidget::selectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.constFirst());
}

void ProjectListWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        // The popup menu comes from the context menu event, which follows this press.
        event->accept();
    } else {
        QListWidget::mousePressEvent(event);
    }
    emit mouseDown();
}
