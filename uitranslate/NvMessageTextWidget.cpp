#include "NvMessageTextWidget.h"

#include <QPainter>
#include <QStyle>

NvMessageTextWidget::NvMessageTextWidget(const QString& text, QWidget* parent, int flags)
    : QLabel(parent), m_flags(flags) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setText(text);
}

int NvMessageTextWidget::textFlags() {
    return Qt::TextWordWrap | Qt::TextExpandTabs;
}

void NvMessageTextWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    painter.drawText(contentsRect(), static_cast<int>(align) | m_flags, text());
}
