#pragma once
#include "DisplayDocument.h"
#include "ElementFixtures.h"

#include <memory>

// Every test of display files works with the element class registered.
inline void EnsureElementClassRegistered() {
    RegisterVexorQueryElementClass();
}

inline CDisplayDocument SampleDisplay() {
    EnsureElementClassRegistered();
    CDisplayDocument doc;
    auto first = std::make_unique<CVexorQueryElemOBJ>();
    SetEveryField(*first);
    auto second = std::make_unique<CVexorQueryElemOBJ>();
    second->m_rect = CRect(0, 800, 1020, 1495);
    second->m_querySettings.m_tableName = "RAIN_HOUR";
    doc.m_objects.push_back(std::move(first));
    doc.m_objects.push_back(std::move(second));
    return doc;
}
