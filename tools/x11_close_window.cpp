// x11_close_window WINDOW_ID: asks an X11 window to close, as a window
// manager's close button does (a WM_DELETE_WINDOW client message), so that
// the program receives its quit event. Exit status 1 when the display cannot
// be opened or the id is not a number.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  char* konec = nullptr;
  const unsigned long okno = argc == 2 ? std::strtoul(argv[1], &konec, 0) : 0;
  if (argc != 2 || konec == argv[1] || *konec != '\0') {
    std::fprintf(stderr, "usage: x11_close_window WINDOW_ID\n");
    return 1;
  }
  Display* displej = XOpenDisplay(nullptr);
  if (displej == nullptr) {
    std::fprintf(stderr, "x11_close_window: cannot open the display\n");
    return 1;
  }
  XEvent udalost{};
  udalost.xclient.type = ClientMessage;
  udalost.xclient.window = okno;
  udalost.xclient.message_type = XInternAtom(displej, "WM_PROTOCOLS", False);
  udalost.xclient.format = 32;
  udalost.xclient.data.l[0] = static_cast<long>(XInternAtom(displej, "WM_DELETE_WINDOW", False));
  udalost.xclient.data.l[1] = CurrentTime;
  const Status odeslano = XSendEvent(displej, okno, False, NoEventMask, &udalost);
  XSync(displej, False);
  XCloseDisplay(displej);
  return odeslano != 0 ? 0 : 1;
}
