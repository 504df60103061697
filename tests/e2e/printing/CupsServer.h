#pragma once
// A print system of the test's own: cupsd in a fresh directory, reached through
// a socket there (CUPS_SERVER is set for this process and what it starts), with
// every job's document kept in the spool. Needs root, as cupsd and the PDF
// backend do.

#include "tests/support/TempDir.h"

#include <sys/types.h>
#include <string>

class CupsServer {
 public:
  CupsServer();
  ~CupsServer();
  CupsServer(const CupsServer&) = delete;
  CupsServer& operator=(const CupsServer&) = delete;

  /// True once cupsd answers on its socket.
  bool running() const { return running_; }
  /// Adds queue `name`, a PDF printer that prints into a file of the server's directory, and makes
  /// it the default; false on failure.
  bool AddPdfQueue(const std::string& name);
  /// Waits up to `seconds` for job `job` to be completed; false when it is not.
  bool WaitForCompletedJob(int job, double seconds);
  /// The document of job `job` as it was handed to the print system.
  std::string JobDocument(int job) const;

 private:
  TempDir temp_;
  const std::string dir_ = temp_.path();
  pid_t pid_ = -1;
  bool running_ = false;
};
