#include "tools/X11DesktopWindows.h"

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <cstdlib>
#include <memory>

namespace {

class X11Windows : public DesktopWindows {
 public:
  X11Windows() {
    connection_ = xcb_connect(nullptr, &screen_);
    if (xcb_connection_has_error(connection_)) return;
    ready_ = xcb_ewmh_init_atoms_replies(&ewmh_, xcb_ewmh_init_atoms(connection_, &ewmh_), nullptr);
  }
  ~X11Windows() override {
    if (ready_) xcb_ewmh_connection_wipe(&ewmh_);
    xcb_disconnect(connection_);
  }
  X11Windows(const X11Windows&) = delete;
  X11Windows& operator=(const X11Windows&) = delete;

  bool ready() const { return ready_; }

  bool HasWindowOf(pid_t pid) override {
    xcb_ewmh_get_windows_reply_t list;
    if (!xcb_ewmh_get_client_list_reply(&ewmh_, xcb_ewmh_get_client_list(&ewmh_, screen_), &list, nullptr))
      return false;
    bool found = false;
    for (std::uint32_t i = 0; i < list.windows_len && !found; ++i) found = OwnerOf(list.windows[i]) == pid;
    xcb_ewmh_get_windows_reply_wipe(&list);
    return found;
  }

  Window ActiveWindow() override {
    xcb_window_t window = 0;
    if (!xcb_ewmh_get_active_window_reply(&ewmh_, xcb_ewmh_get_active_window(&ewmh_, screen_), &window, nullptr))
      return 0;
    return window;
  }

  pid_t OwnerOf(Window window) override {
    std::uint32_t pid = 0;
    if (window == 0 || !xcb_ewmh_get_wm_pid_reply(&ewmh_, xcb_ewmh_get_wm_pid(&ewmh_, window), &pid, nullptr))
      return -1;
    return static_cast<pid_t>(pid);
  }

  void SetAlwaysOnTop(Window window) override {
    xcb_ewmh_request_change_wm_state(&ewmh_, screen_, window, XCB_EWMH_WM_STATE_ADD, ewmh_._NET_WM_STATE_ABOVE,
                                     XCB_NONE, XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
    xcb_flush(connection_);
  }

 private:
  xcb_connection_t* connection_ = nullptr;
  int screen_ = 0;
  xcb_ewmh_connection_t ewmh_{};
  bool ready_ = false;
};

}  // namespace

DesktopWindows* X11DesktopWindows() {
  static const std::unique_ptr<X11Windows> windows = [] {
    auto made = std::make_unique<X11Windows>();
    return made->ready() ? std::move(made) : nullptr;
  }();
  return windows.get();
}
