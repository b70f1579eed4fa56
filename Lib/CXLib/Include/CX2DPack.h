#pragma once
// The engine's pack list: pack objects that answer a file name with the file's bytes, consulted
// before the device's zip packs and the disk. The list starts empty; nothing in the program adds
// a pack, so every lookup misses unless a caller attaches one.

#include "CXListExTmpl.h"
#include "CXString.h"

class CX2DPackObject {
public:
    virtual ~CX2DPackObject() = default;
    // The unique name of the pack in the list.
    virtual const CXString& GetName() const = 0;
    // Copies the entry of that name into buffer (sized to the entry); false when it is absent.
    virtual bool Extract(const char* name, CXString& buffer) = 0;
};

using CX2DPackList = CXListExTmpl<CX2DPackObject>;

// Made by EngineInit when missing, deleted with its packs by EngineShutdown.
CX2DPackList* EnginePackList();
void EngineCreatePackList();
void EngineDeletePackList();

// Looks the name up in every pack of the list, in order; nonzero when one held it.
int PackLookup(const char* name, CXString& buffer);
