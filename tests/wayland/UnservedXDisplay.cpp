#include "tests/wayland/UnservedXDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstddef>
#include <cstring>

UnservedXDisplay::UnservedXDisplay() {
  // A number no X server of the machine uses: its abstract socket is free.
  for (int n = 4000 + ::getpid() % 1000; n < 6000 && listener_ < 0; ++n) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const std::string name = "/tmp/.X11-unix/X" + std::to_string(n);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(fd, 16) == 0) {
      listener_ = fd;
      display_ = ":" + std::to_string(n);
    } else {
      ::close(fd);
    }
  }
  if (listener_ < 0 || ::pipe2(stop_, O_CLOEXEC) != 0) return;
  server_ = std::thread([this] { Serve(); });
}

UnservedXDisplay::~UnservedXDisplay() {
  if (server_.joinable()) {
    const char stop = 0;
    if (::write(stop_[1], &stop, 1) != 1) server_.detach();
    if (server_.joinable()) server_.join();
  }
  for (int fd : {listener_, stop_[0], stop_[1]})
    if (fd >= 0) ::close(fd);
}

void UnservedXDisplay::Serve() {
  pollfd watched[2] = {{listener_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
  while (::poll(watched, 2, -1) >= 0 && !(watched[1].revents & POLLIN)) {
    if (!(watched[0].revents & POLLIN)) continue;
    const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    ++connections_;
    ::close(client);
  }
}
