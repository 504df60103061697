// The installed program as its users meet it: it keeps the settings in the user's
// configuration directory, whoever runs it and whatever the program directory's
// permissions, and a plug-in of the user's own is listed; a copy without the
// installation's marker (unpacked somewhere) keeps everything beside the program.

#include "tests/e2e/support/E2E.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

bool SettingsHold(const std::string& dir, const std::string& line) {
  return WaitForText([&] { return SettingsFileIn(dir); }, line).find(line) != std::string::npos;
}

void MakeUsersDirectory(const std::string& path) {
  fs::create_directories(path);
  if (::geteuid() == 0 && ::chown(path.c_str(), kNobody, kNobody) != 0) ADD_FAILURE() << path;
}

// An installation in a fresh prefix and a home of its own for the user who runs it:
// "nobody" when the test runs as root (for whom every directory is writable).
class Installed {
 public:
  Installed() {
    fs::permissions(top_, fs::perms(0755));
    const std::string install = std::string(WEX_CMAKE) + " --install " + WEX_BUILD_DIR +
                                " --prefix " + prefix() + " >/dev/null && echo done";
    EXPECT_EQ(RunCommand(install), "done");
    MakeUsersDirectory(home());
    MakeUsersDirectory(home() + "/runtime");
    fs::permissions(home() + "/runtime", fs::perms(0700));
    // The X server's key, readable by the user the program runs as.
    if (const char* authority = std::getenv("XAUTHORITY")) {
      fs::copy_file(authority, top_ + "/xauthority");
      fs::permissions(top_ + "/xauthority", fs::perms(0644));
    }
  }
  std::string prefix() const { return top_ + "/prefix"; }
  std::string programDir() const { return prefix() + "/lib/wex"; }
  std::string home() const { return top_ + "/home"; }
  std::string config() const { return home() + "/config"; }
  std::string userPlugins() const { return home() + "/data/wex/plugins"; }

  enum class User { Ordinary, Test };
  /// P/bin/wex as the user (an ordinary one, or whoever runs the test: root under CI),
  /// in the home directory, with `args`.
  std::vector<std::string> Command(const std::vector<std::string>& args,
                                   User user = User::Ordinary) const {
    std::vector<std::string> command;
    if (::geteuid() == 0 && user == User::Ordinary)
      command = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    const char* display = std::getenv("DISPLAY");
    const std::vector<std::string> run = {"env",
                                          "-i",
                                          "-C",
                                          home(),
                                          "PATH=/usr/bin:/bin",
                                          "LANG=C.UTF-8",
                                          "HOME=" + home(),
                                          "XDG_CONFIG_HOME=" + config(),
                                          "XDG_DATA_HOME=" + home() + "/data",
                                          "XDG_RUNTIME_DIR=" + home() + "/runtime",
                                          std::string("DISPLAY=") + (display ? display : ""),
                                          "XAUTHORITY=" + top_ + "/xauthority",
                                          prefix() + "/bin/wex"};
    command.insert(command.end(), run.begin(), run.end());
    command.insert(command.end(), args.begin(), args.end());
    return command;
  }

 private:
  TempDir dir_;
  const std::string top_ = dir_.path();
};

// Opens the options dialog and switches the last box in its tab order, the
// automatic recognition of kanji codes, then closes it with OK.
void ToggleKanjiAutoInOptions(const std::string& window) {
  std::string dialog;
  // Keys sent before the window manager has taken the window in are lost.
  for (int attempt = 0; attempt < 3 && dialog.empty(); ++attempt) {
    RunCommand("xdotool windowactivate --sync " + window + " key --delay 100 alt+v o");
    dialog = WaitForWindow("Wex-オプション", 5);
  }
  ASSERT_FALSE(dialog.empty()) << "the options dialog did not open";
  RunCommand("xdotool windowactivate --sync " + dialog + " key --delay 100 shift+Tab space Return");
}

TEST(InstallE2E, ReadOnlyProgramDirectoryKeepsSettingsInTheUsersConfiguration) {
  Installed installed;
  fs::permissions(installed.programDir(), fs::perms(0555));
  const std::string settings = installed.config() + "/wex";
  {
    WexProcess wex(installed.Command({}));
    const std::string window = WaitForWindow("memo - Wex");
    ASSERT_FALSE(window.empty()) << "the installed program did not start";
    ToggleKanjiAutoInOptions(window);
    EXPECT_TRUE(SettingsHold(settings, "Kanji_auto=0"));
    EXPECT_EQ(CloseWindow(window, wex), 0);
  }
  struct stat st {};
  ASSERT_EQ(::stat((installed.config() + "/wex").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(SettingsFileIn(installed.programDir()), "");

  // The next start reads the kept value (the dialog turns it back on), takes the
  // toolkit's option as the toolkit's, opens a file whose name starts with "-" and
  // lists the user's own plug-in after the program's.
  fs::create_directories(installed.userPlugins());
  fs::copy_file(WEX_TEST_PLUGIN, installed.userPlugins() + "/P1.wpi");
  const std::string notes = installed.home() + "/-notes.txt";
  std::ofstream(notes) << "abc\n";
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(notes.c_str(), kNobody, kNobody), 0);
  }
  WexProcess wex(installed.Command({"-style", "fusion", "--", "-notes.txt"}));
  const std::string window = WaitForWindow("-notes.txt - Wex");
  ASSERT_FALSE(window.empty()) << "-notes.txt was not opened";
  ToggleKanjiAutoInOptions(window);
  EXPECT_TRUE(SettingsHold(settings, "Kanji_auto=1"));
  // The user's plug-in is the last item of the conversion menu; it writes capitals.
  RunCommand("xdotool windowactivate --sync " + window + " key --delay 200 alt+c Up Return");
  RunCommand("sleep 0.5");
  RunCommand("xdotool windowactivate --sync " + window + " key --delay 100 ctrl+s");
  EXPECT_EQ(WaitForText([&] { return notes; }, "ABC").substr(0, 3), "ABC") << "the plug-in ran";
  EXPECT_EQ(CloseWindow(window, wex), 0);
  EXPECT_EQ(SettingsFileIn(installed.programDir()), "");
}

TEST(InstallE2E, InstalledCopyNeverWritesBesideTheProgramEvenForRoot) {
  Installed installed;
  EXPECT_TRUE(fs::exists(installed.programDir() + "/wex.installed"));
  EXPECT_TRUE(fs::exists(installed.prefix() + "/share/man/man1/wex.1.gz"));
  // A program directory that whoever runs the test may write (root may write anywhere).
  MakeUsersDirectory(installed.programDir());
  WexProcess wex(installed.Command({}, Installed::User::Test));
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty()) << "the installed program did not start";
  ToggleKanjiAutoInOptions(window);
  EXPECT_TRUE(SettingsHold(installed.config() + "/wex", "Kanji_auto=0"));
  EXPECT_EQ(CloseWindow(window, wex), 0);
  EXPECT_EQ(SettingsFileIn(installed.programDir()), "");
}

TEST(InstallE2E, UnpackedCopyKeepsEverythingBesideTheProgram) {
  Installed installed;
  MakeUsersDirectory(installed.programDir());
  // Copied out of an installation without its marker: a portable copy.
  fs::remove(installed.programDir() + "/wex.installed");
  WexProcess wex(installed.Command({}));
  const std::string window = WaitForWindow("memo - Wex");
  ASSERT_FALSE(window.empty()) << "the installed program did not start";
  ToggleKanjiAutoInOptions(window);
  const std::string settings = installed.programDir();
  EXPECT_TRUE(SettingsHold(settings, "Kanji_auto=0"));
  EXPECT_EQ(CloseWindow(window, wex), 0);
  EXPECT_FALSE(fs::exists(installed.config()));
}

}  // namespace
