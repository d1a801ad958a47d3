#pragma once

#include "HandlerGuard.h"
#include "PageContext.h"

#include <QWidget>

// A page of pcMain: the tab sheet itself (tsOpen, tsEdit, ...), made from the window's page
// context, listed as the window's next component under its designed name.
class PageWidget : public QWidget {
    Q_OBJECT
public:
    PageWidget(const PageContext& context, const QString& name, QWidget* parent = nullptr);

    const PageContext& context() const { return m_context; }

protected:
    // A slot that runs one of the page's handlers inside the window's handler guard.
    template <typename Page> auto handler(void (Page::*handler)()) {
        return m_context.guard.handler(static_cast<Page*>(this), handler);
    }

    PageContext m_context;
};
