#include "platform/X11Window.h"

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
// The XKB header names a member "explicit", a C++ keyword.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace x11 {
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> Own(T* reply) {
  return Reply<T>(reply, &std::free);
}

// One connection for the process with the EWMH atoms interned; none when no X
// server answers. Replaced once when the toolkit shares its own.
struct Session {
  bool tried = false;  // a connection was opened or shared once
  xcb_connection_t* connection = nullptr;
  bool owned = false;
  xcb_ewmh_connection_t ewmh{};
  int screen = 0;
  bool xkb = false;
  // Indicator names in LockIndicators order; XCB_ATOM_NONE when no keymap names one.
  std::array<xcb_atom_t, 4> indicators{};

  ~Session() { Close(); }

  void Open(xcb_connection_t* shared) {
    Close();
    int screenNumber = 0;
    xcb_connection_t* c = shared ? shared : xcb_connect(nullptr, &screenNumber);
    owned = !shared;
    if (xcb_connection_has_error(c)) {
      if (owned) xcb_disconnect(c);
      return;
    }
    connection = c;
    screen = screenNumber;
    if (!xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(c, &ewmh), nullptr)) {
      Close();
      return;
    }
    auto useXkb = Own(xcb_xkb_use_extension_reply(
        c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
    xkb = useXkb && useXkb->supported;
    const char* names[] = {"Kana", "Caps Lock", "Num Lock", "Scroll Lock"};
    std::array<xcb_intern_atom_cookie_t, 4> cookies;
    for (std::size_t i = 0; i < cookies.size(); ++i)
      cookies[i] =
          xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    for (std::size_t i = 0; i < cookies.size(); ++i) {
      auto atom = Own(xcb_intern_atom_reply(c, cookies[i], nullptr));
      indicators[i] = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
  }

  void Close() {
    if (!connection) return;
    xcb_ewmh_connection_wipe(&ewmh);
    if (owned) xcb_disconnect(connection);
    connection = nullptr;
    xkb = false;
  }
};

Session& TheSession() {
  static Session session;
  return session;
}

// The session when the server is reachable, else nullptr; opened on first use.
Session* Live() {
  Session& s = TheSession();
  if (!s.tried) {
    s.tried = true;
    s.Open(nullptr);
  }
  return s.connection ? &s : nullptr;
}

xcb_window_t Root(const Session& s) { return s.ewmh.screens[s.screen]->root; }

bool IsMapped(const Session& s, WindowId window) {
  auto attributes = Own(xcb_get_window_attributes_reply(
      s.connection, xcb_get_window_attributes(s.connection, window), nullptr));
  return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

std::optional<std::vector<xcb_atom_t>> WmState(Session& s, WindowId window) {
  xcb_ewmh_get_atoms_reply_t atoms;
  xcb_generic_error_t* error = nullptr;
  if (!xcb_ewmh_get_wm_state_reply(&s.ewmh, xcb_ewmh_get_wm_state(&s.ewmh, window), &atoms,
                                   &error)) {
    // A window without the property has no state; a vanished window is unavailable.
    const bool missingWindow = error != nullptr;
    std::free(error);
    if (missingWindow) return std::nullopt;
    return std::vector<xcb_atom_t>{};
  }
  std::vector<xcb_atom_t> state(atoms.atoms, atoms.atoms + atoms.atoms_len);
  xcb_ewmh_get_atoms_reply_wipe(&atoms);
  return state;
}

}  // namespace

void ShareConnection(xcb_connection_t* connection) {
  Session& s = TheSession();
  s.tried = true;
  s.Open(connection);
}

bool Available() { return Live() != nullptr; }

bool ServerAnswers() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  const bool answers = !xcb_connection_has_error(c);
  xcb_disconnect(c);
  return answers;
}

bool SetAbove(WindowId window, bool above) {
  Session* s = Live();
  if (!s) return false;
  const xcb_atom_t atom = s->ewmh._NET_WM_STATE_ABOVE;
  if (IsMapped(*s, window)) {
    // A mapped window's state belongs to the window manager: ask it.
    xcb_ewmh_request_change_wm_state(&s->ewmh, s->screen, window,
                                     above ? XCB_EWMH_WM_STATE_ADD : XCB_EWMH_WM_STATE_REMOVE, atom,
                                     XCB_ATOM_NONE, XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
  } else {
    std::optional<std::vector<xcb_atom_t>> state = WmState(*s, window);
    if (!state) return false;
    std::erase(*state, atom);
    if (above) state->push_back(atom);
    xcb_ewmh_set_wm_state(&s->ewmh, window, static_cast<std::uint32_t>(state->size()),
                          state->data());
  }
  return xcb_flush(s->connection) > 0;
}

std::optional<bool> IsAbove(WindowId window) {
  Session* s = Live();
  if (!s) return std::nullopt;
  std::optional<std::vector<xcb_atom_t>> state = WmState(*s, window);
  if (!state) return std::nullopt;
  return std::find(state->begin(), state->end(), s->ewmh._NET_WM_STATE_ABOVE) != state->end();
}

std::optional<WindowId> ActiveWindow() {
  Session* s = Live();
  if (!s) return std::nullopt;
  xcb_window_t active = XCB_WINDOW_NONE;
  if (!xcb_ewmh_get_active_window_reply(&s->ewmh, xcb_ewmh_get_active_window(&s->ewmh, s->screen),
                                        &active, nullptr))
    return WindowId{0};
  return active;
}

std::vector<WindowId> WindowsOfProcess(pid_t pid) {
  Session* s = Live();
  if (!s) return {};
  std::vector<xcb_window_t> candidates;
  xcb_ewmh_get_windows_reply_t clients;
  if (xcb_ewmh_get_client_list_reply(&s->ewmh, xcb_ewmh_get_client_list(&s->ewmh, s->screen),
                                     &clients, nullptr)) {
    candidates.assign(clients.windows, clients.windows + clients.windows_len);
    xcb_ewmh_get_windows_reply_wipe(&clients);
  } else if (auto tree = Own(xcb_query_tree_reply(
                 s->connection, xcb_query_tree(s->connection, Root(*s)), nullptr))) {
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    candidates.assign(children, children + xcb_query_tree_children_length(tree.get()));
  }
  // Ask for every pid at once, then collect the answers.
  std::vector<xcb_get_property_cookie_t> cookies;
  for (xcb_window_t w : candidates) cookies.push_back(xcb_ewmh_get_wm_pid(&s->ewmh, w));
  std::vector<WindowId> windows;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    std::uint32_t owner = 0;
    if (xcb_ewmh_get_wm_pid_reply(&s->ewmh, cookies[i], &owner, nullptr) &&
        owner == static_cast<std::uint32_t>(pid))
      windows.push_back(candidates[i]);
  }
  return windows;
}

std::optional<pid_t> ProcessOfWindow(WindowId window) {
  Session* s = Live();
  std::uint32_t pid = 0;
  if (!s || window == 0 ||
      !xcb_ewmh_get_wm_pid_reply(&s->ewmh, xcb_ewmh_get_wm_pid(&s->ewmh, window), &pid, nullptr))
    return std::nullopt;
  return static_cast<pid_t>(pid);
}

std::optional<LockIndicators> ReadLockIndicators() {
  Session* s = Live();
  if (!s || !s->xkb) return std::nullopt;
  std::array<std::optional<xcb_xkb_get_named_indicator_cookie_t>, 4> cookies;
  for (std::size_t i = 0; i < cookies.size(); ++i)
    if (s->indicators[i] != XCB_ATOM_NONE)
      cookies[i] = xcb_xkb_get_named_indicator(s->connection, XCB_XKB_ID_USE_CORE_KBD,
                                               XCB_XKB_LED_CLASS_DFLT_XI_CLASS,
                                               XCB_XKB_ID_DFLT_XI_ID, s->indicators[i]);
  std::array<bool, 4> on{};
  bool answered = true;
  for (std::size_t i = 0; i < cookies.size(); ++i) {
    if (!cookies[i]) continue;  // an indicator no keymap names is never lit
    auto reply = Own(xcb_xkb_get_named_indicator_reply(s->connection, *cookies[i], nullptr));
    answered = answered && reply;
    on[i] = reply && reply->found && reply->on;
  }
  if (!answered) return std::nullopt;
  return LockIndicators{on[0], on[1], on[2], on[3]};
}

std::optional<FrameExtents> RequestFrameExtents(WindowId window, int timeoutMs) {
  Session* s = Live();
  if (!s) return std::nullopt;
  xcb_ewmh_get_atoms_reply_t supported;
  if (!xcb_ewmh_get_supported_reply(&s->ewmh, xcb_ewmh_get_supported(&s->ewmh, s->screen),
                                    &supported, nullptr))
    return std::nullopt;
  const bool answers =
      std::find(supported.atoms, supported.atoms + supported.atoms_len,
                s->ewmh._NET_REQUEST_FRAME_EXTENTS) != supported.atoms + supported.atoms_len;
  xcb_ewmh_get_atoms_reply_wipe(&supported);
  if (!answers) return std::nullopt;

  xcb_ewmh_request_frame_extents(&s->ewmh, s->screen, window);
  xcb_flush(s->connection);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    xcb_ewmh_get_extents_reply_t extents;
    if (xcb_ewmh_get_frame_extents_reply(&s->ewmh, xcb_ewmh_get_frame_extents(&s->ewmh, window),
                                         &extents, nullptr))
      return FrameExtents{static_cast<int>(extents.left), static_cast<int>(extents.right),
                          static_cast<int>(extents.top), static_cast<int>(extents.bottom)};
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
  return std::nullopt;
}

}  // namespace x11
