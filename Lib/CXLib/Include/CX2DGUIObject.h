#pragma once
// A named GUI object of the engine, allocated from its class pool, and the process-wide list that
// holds such objects by name. The list is built at program start and emptied (deleting the
// objects it owns) at exit; the engine itself puts nothing in it.

#include "CXListExTmpl.h"
#include "CXMemoryPoolTmpl.h"
#include "CXString.h"

class CX2DGUIObject {
public:
    CX_DECLARE_MEMORY_POOL(CX2DGUIObject)

    explicit CX2DGUIObject(const char* name = "") : m_strName(name ? name : "") {}
    virtual ~CX2DGUIObject() = default;
    CX2DGUIObject(const CX2DGUIObject&) = delete;
    CX2DGUIObject& operator=(const CX2DGUIObject&) = delete;

    // The unique name the list indexes it by.
    const CXString& GetName() const { return m_strName; }

private:
    CXString m_strName;
};

using CX2DGUIObjectList = CXListExTmpl<CX2DGUIObject>;

// The process-wide list.
CX2DGUIObjectList& EngineGUIObjects();
