#include "SelectedRowClick.h"

#include <QAbstractItemView>
#include <QMouseEvent>

SelectedRowClick::SelectedRowClick(QAbstractItemView& view) : QObject(&view), m_view(view) {
    view.viewport()->installEventFilter(this);
    // The view raises pressed() after it has moved the selection for the press.
    connect(&view, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) { pressed(index.row()); });
}

bool SelectedRowClick::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view.viewport() && event->type() == QEvent::MouseButtonPress) {
        m_leftPress = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        m_rowBeforePress = selectedRow();
    }
    return QObject::eventFilter(watched, event);
}

int SelectedRowClick::selectedRow() const {
    const QModelIndexList rows = m_view.selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void SelectedRowClick::pressed(int row) {
    const bool again = m_leftPress && row >= 0 && row == m_rowBeforePress && selectedRow() == row;
    m_leftPress = false;
    if (again) {
        emit clicked();
    }
}
