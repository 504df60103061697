// The window system asked for at start: the X server beside a Wayland compositor,
// unless the user chose.

#include "app/WindowSystemChoice.h"

#include <gtest/gtest.h>

namespace {

using Choice = WindowSystemChoice;

// Counts how often the X server is asked about, and answers `answers`.
struct XServer {
  bool answers = true;
  int asked = 0;
  std::function<bool()> Probe() {
    return [this] {
      ++asked;
      return answers;
    };
  }
};

WindowSystemEnvironment BothDisplays() {
  WindowSystemEnvironment environment;
  environment.waylandDisplay = "wayland-0";
  environment.display = ":0";
  return environment;
}

TEST(WindowSystemChoice, XServerBesideAWaylandCompositorIsTaken) {
  XServer x;
  EXPECT_EQ(ChooseWindowSystem({}, BothDisplays(), x.Probe()), Choice::X11);
  EXPECT_EQ(ChooseWindowSystem({"-style", "fusion", "memo.txt"}, BothDisplays(), x.Probe()),
            Choice::X11);
  // A Wayland session that names no socket still has the toolkit try Wayland first.
  WindowSystemEnvironment session;
  session.sessionType = "wayland";
  session.display = ":1";
  EXPECT_EQ(ChooseWindowSystem({}, session, x.Probe()), Choice::X11);
  EXPECT_EQ(x.asked, 3);
  // An empty QT_QPA_PLATFORM chooses nothing.
  WindowSystemEnvironment empty = BothDisplays();
  empty.qpaPlatform = "";
  EXPECT_EQ(ChooseWindowSystem({}, empty, x.Probe()), Choice::X11);
}

TEST(WindowSystemChoice, AnXServerThatDoesNotAnswerIsLeftAlone) {
  XServer x;
  x.answers = false;
  EXPECT_EQ(ChooseWindowSystem({}, BothDisplays(), x.Probe()), Choice::Toolkit);
  EXPECT_EQ(x.asked, 1);
}

TEST(WindowSystemChoice, TheUsersChoiceStandsAndNoXServerIsAsked) {
  XServer x;
  WindowSystemEnvironment chosen = BothDisplays();
  chosen.qpaPlatform = "wayland";
  EXPECT_EQ(ChooseWindowSystem({}, chosen, x.Probe()), Choice::Toolkit);
  for (const char* option : {"-platform", "--platform"})
    EXPECT_EQ(ChooseWindowSystem({"memo.txt", option, "wayland"}, BothDisplays(), x.Probe()),
              Choice::Toolkit)
        << option;
  EXPECT_EQ(x.asked, 0) << "the X server is not touched when the user chose";
}

TEST(WindowSystemChoice, OneDisplayAloneIsTheToolkitsToUse) {
  XServer x;
  WindowSystemEnvironment wayland;
  wayland.waylandDisplay = "wayland-1";
  EXPECT_EQ(ChooseWindowSystem({}, wayland, x.Probe()), Choice::Toolkit);
  WindowSystemEnvironment xOnly;
  xOnly.display = ":0";
  xOnly.sessionType = "x11";
  EXPECT_EQ(ChooseWindowSystem({}, xOnly, x.Probe()), Choice::Toolkit);
  WindowSystemEnvironment emptyDisplay = BothDisplays();
  emptyDisplay.display = "";
  EXPECT_EQ(ChooseWindowSystem({}, emptyDisplay, x.Probe()), Choice::Toolkit);
  EXPECT_EQ(x.asked, 0) << "native Wayland never connects to an X server";
}

}  // namespace
