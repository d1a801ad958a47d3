#pragma once

#include "ComponentList.h"

#include <QWidget>

// The search results window; it lives hidden from start-up until a search is asked for.
class TformSearch : public QWidget {
    Q_OBJECT
public:
    explicit TformSearch(QWidget* parent = nullptr);
    ~TformSearch() override;

    const QList<QObject*>& components() const { return m_components.all(); }
    ComponentList& componentList() { return m_components; }

private:
    ComponentList m_components;
};
