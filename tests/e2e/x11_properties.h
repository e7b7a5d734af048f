#pragma once

#include <string>

namespace animatsiya::e2e {

// Asks of X what xdotool cannot, or gets wrong: kept apart from the Qt sources, since Xlib's header
// defines names that clash with Qt's.

// A window's text property (WM_NAME, _NET_WM_NAME) decoded to UTF-8 whatever its
// encoding; "(none)" when the window has no such property.
std::string TextProperty(unsigned long window, const char* property);

struct ScreenRect {
  int x = 0, y = 0, width = 0, height = 0;
};
// Where a window's own area lies on the screen. xdotool's answer is off by the frame for
// a window that a window manager has framed. False when there is no such window.
bool WindowOnScreen(unsigned long window, ScreenRect* rect);

// Asks the window manager to add or remove one or two _NET_WM_STATE states of a window
// (second may be null), as a pager or a title bar button does. False when no X display could be opened.
bool ChangeWmState(unsigned long window, bool add, const char* first, const char* second);

}  // namespace animatsiya::e2e
