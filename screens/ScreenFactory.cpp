#include "ScreenFactory.h"

#include <new>

#include "CWndLoading.h"

CDXWnd* CreateScreenObject(int id)
{
    switch (id) {
    case 12: return new (std::nothrow) CWndLoading();
    default: return nullptr;
    }
}

const char* ScreenName(int id)
{
    switch (id) {
    case 12: return "Loading";
    case 13: return "Login";
    case 19: return "Game";
    default: return "";
    }
}
