#include "about/taskbar.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(VARNEL_HAVE_XCB)
#include <xcb/xcb.h>
#include <cstdlib>
#include <cstring>
#endif

namespace varnel {

#if defined(VARNEL_HAVE_XCB)

namespace {

xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

}  // namespace

// Qt merges the states it wants with whatever _NET_WM_STATE already holds on
// an unmapped window, so the skip-taskbar state set here survives the mapping.
void KeepOutOfTaskbar(QWidget* window) {
  // Other platforms (offscreen among them) may answer to the X11 interface
  // without holding a connection.
  if (window == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr) return;
  const xcb_atom_t state = InternAtom(connection, "_NET_WM_STATE");
  const xcb_atom_t skipTaskbar = InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window->winId()),
                      state, XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
  xcb_flush(connection);
}

#else

void KeepOutOfTaskbar(QWidget*) {}

#endif

}  // namespace varnel
