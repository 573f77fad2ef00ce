// Times one start of a window program on an X server: from the moment the
// program is started to the first drawing into a window of its, as the X
// server's DAMAGE extension reports it. Then ends the program and prints two
// figures in milliseconds: that wall time, and the processor time (user and
// system) the program had used by then, which other work on the machine
// disturbs less.
//   startup_timer <program> [arguments...]
// The program must open its window on $DISPLAY without a window manager in
// the way (Xvfb alone), so that its windows are children of the root.
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A window smaller than this is one of the toolkit's helper windows, not the
// program's window.
constexpr int kSmallestWindow = 32;
constexpr auto kGiveUpAfter = std::chrono::seconds(20);

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

bool HasDamage(xcb_connection_t* x) {
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(x, &xcb_damage_id);
  if (!ext || !ext->present) return false;
  Reply<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(
      x, xcb_damage_query_version(x, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));
  return version != nullptr;
}

void WatchNewWindows(xcb_connection_t* x, xcb_window_t root) {
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(x);
}

// Waits for the first drawing into a large enough new window. Returns false
// when the program ended or nothing was drawn in time.
bool WaitForFirstPaint(xcb_connection_t* x, pid_t pid, Clock::time_point start) {
  const uint8_t damageNotify = xcb_get_extension_data(x, &xcb_damage_id)->first_event;
  pollfd pfd{xcb_get_file_descriptor(x), POLLIN, 0};
  while (Clock::now() - start < kGiveUpAfter) {
    Reply<xcb_generic_event_t> event(xcb_poll_for_event(x));
    if (!event) {
      if (xcb_connection_has_error(x) || waitpid(pid, nullptr, WNOHANG) == pid) return false;
      poll(&pfd, 1, 100);
      continue;
    }
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
      const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event.get());
      if (created->width < kSmallestWindow || created->height < kSmallestWindow) continue;
      xcb_damage_create(x, xcb_generate_id(x), created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
      xcb_flush(x);
    } else if (type == damageNotify) {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_timer <program> [arguments...]\n");
    return 2;
  }
  int screenNumber = 0;
  xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "startup_timer: cannot open the display\n");
    return 1;
  }
  if (!HasDamage(x)) {
    std::fprintf(stderr, "startup_timer: the X server has no DAMAGE extension\n");
    return 1;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
  for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
  WatchNewWindows(x, screens.data->root);

  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
    std::fprintf(stderr, "startup_timer: cannot start %s\n", argv[1]);
    return 1;
  }
  const bool painted = WaitForFirstPaint(x, pid, start);
  const Clock::time_point end = Clock::now();
  kill(pid, SIGKILL);
  rusage usage{};
  wait4(pid, nullptr, 0, &usage);
  xcb_disconnect(x);
  if (!painted) {
    std::fprintf(stderr, "startup_timer: %s drew no window\n", argv[1]);
    return 1;
  }
  const auto milliseconds = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  std::printf("%.3f %.3f\n", std::chrono::duration<double, std::milli>(end - start).count(),
              milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime));
  return 0;
}
