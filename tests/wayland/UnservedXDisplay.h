#pragma once
// An X display that nobody serves, to show that a program never touches X11: it
// listens where X clients look first (the abstract socket of display :N), counts
// every connection and closes it at once, so that a client sees a failed
// connection instead of waiting for a server that never answers.

#include <atomic>
#include <string>
#include <thread>

class UnservedXDisplay {
 public:
  UnservedXDisplay();
  ~UnservedXDisplay();
  UnservedXDisplay(const UnservedXDisplay&) = delete;
  UnservedXDisplay& operator=(const UnservedXDisplay&) = delete;

  /// ":N", or empty when no display number was free.
  const std::string& display() const { return display_; }
  /// Connections made so far.
  int connections() const { return connections_; }

 private:
  void Serve();
  int listener_ = -1;
  int stop_[2] = {-1, -1};
  std::string display_;
  std::atomic<int> connections_{0};
  std::thread server_;
};
