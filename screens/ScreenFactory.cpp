#include "ScreenFactory.h"

#include <new>

#include "CWndGame.h"
#include "CWndLoading.h"
#include "CWndLogin.h"

CDXWnd* CreateScreenObject(int id)
{
    switch (id) {
    case 12:
        return new (std::nothrow) CWndLoading();
    case 13:
        return new (std::nothrow) CWndLogin();
    case 19:
        return new (std::nothrow) CWndGame();
    default:
        return nullptr;
    }
}

const char* ScreenName(int id)
{
    switch (id) {
    case 12:
        return "Loading";
    case 13:
        return "Login";
    case 19:
        return "Game";
    default:
        return "";
    }
}
