#include "tests/e2e/printing/CupsServer.h"

#include "tests/e2e/support/E2E.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& file, const std::string& text) { std::ofstream(file) << text; }

}  // namespace

CupsServer::CupsServer() {
  for (const char* sub : {"etc/ppd", "spool/tmp", "cache", "state", "log"})
    fs::create_directories(dir_ + "/" + sub);
  // cupsd runs filters as its own unprivileged user, who must reach the spool.
  fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  const std::string socket = dir_ + "/cups.sock";
  Write(dir_ + "/cupsd.conf",
        "Listen " + socket +
            "\nLogLevel warn\nPreserveJobFiles Yes\nPreserveJobHistory Yes\n"
            "DefaultAuthType None\nWebInterface No\nBrowsing No\n"
            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
            "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
            "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  Write(dir_ + "/cups-files.conf",
        "ServerRoot " + dir_ + "/etc\nRequestRoot " + dir_ + "/spool\nTempDir " + dir_ +
            "/spool/tmp\nCacheDir " + dir_ + "/cache\nStateDir " + dir_ + "/state\nErrorLog " +
            dir_ + "/log/error_log\nAccessLog " + dir_ + "/log/access_log\nPageLog " + dir_ +
            "/log/page_log\n"
            // The queue prints into a file here: the PDF backend would write into
            // the home of the printing user as the password database names it.
            "FileDevice Yes\n");
  for (const char* file : {"raw.convs", "raw.types"})
    if (fs::exists(fs::path("/etc/cups") / file))
      fs::copy_file(fs::path("/etc/cups") / file, dir_ + "/etc/" + file);
  ::setenv("CUPS_SERVER", socket.c_str(), 1);

  std::string program = "cupsd", conf = dir_ + "/cupsd.conf", files = dir_ + "/cups-files.conf";
  std::string foreground = "-f", c = "-c", s = "-s";
  char* argv[] = {program.data(), foreground.data(), c.data(), conf.data(),
                  s.data(),       files.data(),      nullptr};
  if (::posix_spawnp(&pid_, "cupsd", nullptr, nullptr, argv, environ) != 0) {
    pid_ = -1;
    return;
  }
  for (int i = 0; i < 100 && !running_; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    running_ = RunCommand("lpstat -r 2>/dev/null") == "scheduler is running";
  }
}

CupsServer::~CupsServer() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  ::unsetenv("CUPS_SERVER");
}

bool CupsServer::AddPdfQueue(const std::string& name) {
  const std::string ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
  const std::string device = "file://" + dir_ + "/" + name + ".out";
  return std::system(("lpadmin -p " + name + " -E -v " + device + " -P " + ppd +
                      " 2>/dev/null && lpadmin -d " + name)
                         .c_str()) == 0;
}

bool CupsServer::WaitForCompletedJob(int job, double seconds) {
  const std::string id = "-" + std::to_string(job) + " ";
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    if (RunCommand("lpstat -W completed -o").find(id) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  } while (std::chrono::steady_clock::now() < end);
  return false;
}

std::string CupsServer::JobDocument(int job) const {
  char name[32];
  std::snprintf(name, sizeof name, "/spool/d%05d-001", job);
  return dir_ + name;
}
