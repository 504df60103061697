// Where the settings live: beside the program when it may write there, else in the
// user's configuration directory.

#include "platform/UserDirectories.h"
#include "settings/Settings.h"
#include "settings/SettingsDirectory.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr uid_t kNobody = 65534;

// `run` as a user without privileges: root may write everywhere, so under root it
// runs in a child process that has become "nobody". Its result.
std::string RunAsUser(const std::function<std::string()>& run) {
  if (::geteuid() != 0) return run();
  int out[2];
  if (::pipe(out) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(out[0]);
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(1);
    const std::string chosen = run();
    const bool written = ::write(out[1], chosen.data(), chosen.size()) == ssize_t(chosen.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(out[1]);
  std::string chosen;
  char buffer[256];
  for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
    chosen.append(buffer, std::size_t(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? chosen : "child failed";
}

std::string ChooseAsUser(const std::string& program, const std::optional<std::string>& config) {
  return RunAsUser([&] { return ChooseSettingsDirectory(program, config); });
}

// Under root the files belong to "nobody", so that their modes are the user's.
void OwnAsUser(const std::string& path) {
  if (::geteuid() == 0 && ::chown(path.c_str(), kNobody, kNobody) != 0) ADD_FAILURE() << path;
}

// A program directory of `mode` and a configuration home that the user may write.
struct Places {
  TempDir top;
  std::string program = top.file("lib");
  std::string config = top.file("home/.config");
  explicit Places(mode_t mode) {
    ::chmod(top.path().c_str(), 0755);
    ::mkdir(program.c_str(), 0755);
    ::mkdir(top.file("home").c_str(), 0700);
    OwnAsUser(program);
    OwnAsUser(top.file("home"));
    ::chmod(program.c_str(), mode);
  }
  ~Places() { ::chmod(program.c_str(), 0755); }  // so that it can be removed
  void AddSettingsFile(const char* name, mode_t mode) const {
    ::chmod(program.c_str(), 0755);
    WriteBytes(program + "/" + name, "[setting]\r\n");
    OwnAsUser(program + "/" + name);
    ::chmod((program + "/" + name).c_str(), mode);
  }
};

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(SettingsDirectory, StaysBesideAWritableProgram) {
  Places places(0755);
  EXPECT_EQ(ChooseAsUser(places.program, places.config), places.program);
  places.AddSettingsFile("WEX.INI", 0666);
  ::chmod(places.program.c_str(), 0555);
  // A settings file that may be written keeps the program portable, even in a
  // directory that takes no new files.
  EXPECT_EQ(ChooseAsUser(places.program, places.config), places.program);
  EXPECT_EQ(ModeOf(places.config), 0u) << "nothing is created in the user's directory";
  // And what is written there is kept: the file is rewritten in place.
  RunAsUser([&] {
    WriteSettingInt(places.program + "/Wex.ini", "setting", "Size", 3);
    return std::string();
  });
  EXPECT_EQ(ReadSettingInt(places.program + "/wex.ini", "setting", "Size"), 3);
}

TEST(SettingsDirectory, ReadOnlyProgramDirectoryUsesTheUsersConfiguration) {
  Places places(0555);
  const std::string expected = places.config + "/wex";
  EXPECT_EQ(ChooseAsUser(places.program, places.config), expected);
  EXPECT_EQ(ModeOf(expected), 0700u);

  // A settings file shipped read-only beside the program is not the user's either.
  Places shipped(0755);
  shipped.AddSettingsFile("Wex.ini", 0444);
  ::chmod(shipped.program.c_str(), 0555);
  EXPECT_EQ(ChooseAsUser(shipped.program, shipped.config), shipped.config + "/wex");

  // With no home at all there is nowhere better: the program directory, unwritable.
  EXPECT_EQ(ChooseAsUser(places.program, std::nullopt), places.program);
}

TEST(SettingsDirectory, InstalledCopyNeverWritesBesideTheProgram) {
  // Run by whoever may write the program directory (root, under CI): the marker
  // alone decides, not the permissions.
  Places places(0755);
  WriteBytes(places.program + "/" + kInstalledMarker, "");
  const std::string expected = places.config + "/wex";
  EXPECT_EQ(ChooseSettingsDirectory(places.program, places.config), expected);
  EXPECT_EQ(ModeOf(expected), 0700u);
  // A settings file left there by an older run is not taken up again.
  places.AddSettingsFile("Wex.ini", 0666);
  EXPECT_EQ(ChooseSettingsDirectory(places.program, places.config), expected);
  EXPECT_EQ(ChooseAsUser(places.program, places.config), expected);
  // With no home there is still no writing beside the program.
  EXPECT_EQ(ChooseSettingsDirectory(places.program, std::nullopt), kNowhere);

  // The same directory without the marker is a portable copy.
  ::unlink((places.program + "/" + kInstalledMarker).c_str());
  EXPECT_EQ(ChooseSettingsDirectory(places.program, places.config), places.program);
}

TEST(SettingsDirectory, UserBaseDirectoryFollowsTheXdgRules) {
  ::setenv("HOME", "/home/someone", 1);
  ::setenv("XDG_CONFIG_HOME", "/elsewhere/config", 1);
  EXPECT_EQ(UserBaseDirectory("XDG_CONFIG_HOME", ".config"), "/elsewhere/config");
  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);  // not absolute: ignored
  EXPECT_EQ(UserBaseDirectory("XDG_CONFIG_HOME", ".config"), "/home/someone/.config");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserBaseDirectory("XDG_DATA_HOME", ".local/share"), "/home/someone/.local/share");

  TempDir dir;
  const std::string deep = dir.file("a/b/c");
  EXPECT_TRUE(MakeDirectories(deep, 0700));
  EXPECT_EQ(ModeOf(dir.file("a")), 0700u);
  EXPECT_EQ(ModeOf(deep), 0700u);
  EXPECT_TRUE(MakeDirectories(deep, 0700)) << "an existing directory is fine";
  WriteBytes(dir.file("file"), "x");
  EXPECT_FALSE(MakeDirectories(dir.file("file"), 0700));
}

}  // namespace
