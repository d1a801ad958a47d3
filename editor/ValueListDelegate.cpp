#include "ValueListDelegate.h"

#include "LevelMark.h"
#include "ValueListModel.h"

void ValueListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const int image = index.data(ValueListModel::ImageRole).toInt();
    option->font.setBold(image == MarkMissing || image == MarkPartial);
    option->font.setItalic(index.data(ValueListModel::ChangedRole).toBool());
    if (index.column() > 0) {
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::WindowText));
    }
}
