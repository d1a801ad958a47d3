#include "ProjectListWidget.h"

int ProjectListWidget::selectedRow() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.constFirst());
}

void ProjectListWidget::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    emit mouseDown();
}
