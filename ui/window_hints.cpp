#include "ui/window_hints.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(VARNEL_HAVE_XCB)
#include <xcb/xcb.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace varnel {

#if defined(VARNEL_HAVE_XCB)

namespace {

// The connection to the X server, or null when the program does not run on
// X11. Other platforms (offscreen among them) may answer to the X11 interface
// without holding a connection.
xcb_connection_t* XConnection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

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
// an unmapped window, so the state set here survives the mapping.
void KeepOutOfTaskbar(QWidget* window) {
  xcb_connection_t* connection = XConnection();
  if (connection == nullptr || window == nullptr) return;
  const xcb_atom_t state = InternAtom(connection, "_NET_WM_STATE");
  const xcb_atom_t skipTaskbar = InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE) return;
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window->winId()),
                      state, XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
  xcb_flush(connection);
}

// Qt always offers the resize function and the window menu; the Motif hints
// are rewritten here with only what a fixed dialog frame has.
void UseFixedDialogFrame(QWidget* window) {
  xcb_connection_t* connection = XConnection();
  if (connection == nullptr || window == nullptr) return;
  const xcb_atom_t hintsAtom = InternAtom(connection, "_MOTIF_WM_HINTS");
  if (hintsAtom == XCB_ATOM_NONE) return;
  enum : uint32_t { kHintsFunctions = 1, kHintsDecorations = 2 };
  enum : uint32_t { kFunctionMove = 4, kFunctionClose = 32 };
  enum : uint32_t { kDecorationBorder = 2, kDecorationTitle = 8 };
  const uint32_t hints[5] = {kHintsFunctions | kHintsDecorations, kFunctionMove | kFunctionClose,
                             kDecorationBorder | kDecorationTitle, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                      hintsAtom, hintsAtom, 32, 5, hints);
  xcb_flush(connection);
}

#else

void KeepOutOfTaskbar(QWidget*) {}
void UseFixedDialogFrame(QWidget*) {}

#endif

}  // namespace varnel
