#pragma once

#include <QObject>

class QAbstractItemView;

// A left click on the row that is already selected changes no selection, so the list raises no
// signal for it; the click handler must still run again. This reports such clicks of one list.
class SelectedRowClick : public QObject {
    Q_OBJECT
public:
    explicit SelectedRowClick(QAbstractItemView& view);

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selectedRow() const;
    void pressed(int row);

    QAbstractItemView& m_view;
    // The row selected before the last left press, while that press is handled.
    int m_rowBeforePress = -1;
    bool m_leftPress = false;
};
