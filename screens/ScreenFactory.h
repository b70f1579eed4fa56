#pragma once
// The screens the main window creates by id.

class CDXWnd;

// A new screen object for the id (12 loading, 13 login, 19 lobby), or null for any other id.
CDXWnd* CreateScreenObject(int id);
// The name of a screen id ("Loading", "Login", "Game"; "" for any other).
const char* ScreenName(int id);
