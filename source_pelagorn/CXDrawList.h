#pragma once
// The game scene's draw list: objects are initialised once in list order, then each frame every
// object is updated and at once drawn before the next one is updated, so an object earlier in the
// list lies under every later one. The list owns its objects.

#include "CXDrawObject.h"
#include "CXListTmpl.h"

class CXDrawList {
public:
    // Appends the object (taking it over); false for a null object or when no element can be made
    // (the object is then deleted).
    bool Add(CXDrawObject* object);
    // Writes the owner and the scene into every object, then calls Init in list order.
    void InitAll(CPelagorn* owner, CXDrawScene* scene);
    // Update(dt) and then Draw of each object, in list order.
    void Frame(float dt);
    uint32_t GetCount() const { return m_List.GetCount(); }

    CXListTmpl<CXDrawObject> m_List;
};
