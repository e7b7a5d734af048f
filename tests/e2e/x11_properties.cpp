#include "tests/e2e/x11_properties.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace animatsiya::e2e {
namespace {

using DisplayPtr = std::unique_ptr<Display, decltype(&XCloseDisplay)>;

DisplayPtr OpenDisplay() { return DisplayPtr(XOpenDisplay(nullptr), &XCloseDisplay); }

}  // namespace

std::string TextProperty(unsigned long window, const char* property) {
  const DisplayPtr display = OpenDisplay();
  if (!display) return "(no display)";
  XTextProperty text{};
  const Atom atom = XInternAtom(display.get(), property, False);
  if (XGetTextProperty(display.get(), window, &text, atom) == 0 || text.value == nullptr) return "(none)";
  char** list = nullptr;
  int count = 0;
  std::string result = "(undecodable)";
  // Decoding to UTF-8 needs a locale that Xlib supports; the test runs under C.UTF-8.
  if (Xutf8TextPropertyToTextList(display.get(), &text, &list, &count) == Success && count > 0) {
    result = list[0];
  }
  if (list != nullptr) XFreeStringList(list);
  XFree(text.value);
  return result;
}

bool WindowOnScreen(unsigned long window, ScreenRect* rect) {
  const DisplayPtr display = OpenDisplay();
  if (!display) return false;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display.get(), window, &attributes) == 0) return false;
  Window child = 0;
  if (XTranslateCoordinates(display.get(), window, attributes.root, 0, 0, &rect->x, &rect->y, &child) == 0) {
    return false;
  }
  rect->width = attributes.width;
  rect->height = attributes.height;
  return true;
}

bool ChangeWmState(unsigned long window, bool add, const char* first, const char* second) {
  const DisplayPtr display = OpenDisplay();
  if (!display) return false;
  Display* d = display.get();
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = add ? 1 : 0;  // _NET_WM_STATE_ADD or _NET_WM_STATE_REMOVE
  event.xclient.data.l[1] = static_cast<long>(XInternAtom(d, first, False));
  event.xclient.data.l[2] = second == nullptr ? 0 : static_cast<long>(XInternAtom(d, second, False));
  event.xclient.data.l[3] = 1;  // from a normal application
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(d, False);
  return true;
}

}  // namespace animatsiya::e2e
