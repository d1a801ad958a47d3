#include "PageWidget.h"

#include "ComponentList.h"

PageWidget::PageWidget(const PageContext& context, const QString& name, QWidget* parent)
    : QWidget(parent), m_context(context) {
    setObjectName(name);
    m_context.components.add(static_cast<QWidget*>(this));
}
