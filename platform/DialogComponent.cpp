#include "DialogComponent.h"

DialogComponent::DialogComponent(const QString& name, Kind kind, QObject* parent) : QObject(parent), m_kind(kind) {
    setObjectName(name);
}
