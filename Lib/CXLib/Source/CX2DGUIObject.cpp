// The process-wide list of GUI objects: a static object, so it exists from program start and
// deletes what it owns at exit.

#include "CX2DGUIObject.h"

namespace {

CX2DGUIObjectList g_GUIObjects;

}  // namespace

CX2DGUIObjectList& EngineGUIObjects()
{
    return g_GUIObjects;
}
