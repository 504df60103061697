// The shipped plug-ins in the real program: each run from the conversion menu
// and taken back with Ctrl+Z, and each one's settings window owned by the main
// window as the window manager sees it.

#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/E2E.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Plugin {
  const char* name;
  std::string text;       // Shift-JIS
  std::string converted;  // what the plug-in makes of it
  const char* settingsCaption;
};

const Plugin kPlugins[] = {
    // "ひらがな" becomes "ヒラガナ".
    {"Bricks", "\x82\xd0\x82\xe7\x82\xaa\x82\xc8", "\x83\x71\x83\x89\x83\x4b\x83\x69", "Bricks"},
    {"Plainer", "a<b>c</b>d &amp; e", "acd & e", "Plainer"},
    // "さしすせそぜ" becomes "ちゃちちゅちぇちょじぇ".
    {"Cooer", "\x82\xb3\x82\xb5\x82\xb7\x82\xb9\x82\xbb\x82\xba",
     "\x82\xbf\x82\xe1\x82\xbf\x82\xbf\x82\xe3\x82\xbf\x82\xa5\x82\xbf\x82\xe5\x82\xb6\x82\xa5",
     "Cooer"},
    {"Markwell", "Hello\r\nA<B & C",
     "<HTML>\r\n<HEAD>\r\n<TITLE>Hello</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
     "Hello<BR>\r\nA&lt;B &amp; C\r\n</BODY>\r\n</HTML>",
     "Markwellの設定"},
};

// With the plug-in alone installed it is the third item of its menu, after the
// two built-in conversions.
void ChooseThePlugin(const std::string& window, const char* menu) {
  PressKeys(window, std::string(menu) + " Down Down Return");
}

TEST(PluginsE2E, EachPluginConvertsFromTheMenuAndUndoTakesItBack) {
  for (const Plugin& plugin : kPlugins) {
    SCOPED_TRACE(plugin.name);
    WexInstall install(plugin.name);
    const std::string path = install.AddFile("text.txt", plugin.text);
    WexProcess wex(install, {path});
    const std::string window = WaitForMainWindow("text.txt - Wex");
    ASSERT_FALSE(window.empty());
    ChooseThePlugin(window, "alt+c");
    PressKeys(window, "ctrl+s");
    EXPECT_EQ(WaitForBytes(path, plugin.converted), plugin.converted);
    PressKeys(window, "ctrl+z ctrl+s");
    EXPECT_EQ(WaitForBytes(path, plugin.text), plugin.text);
    EXPECT_EQ(CloseWindow(window, wex), 0);
  }
}

TEST(PluginsE2E, EachSettingsWindowIsOwnedByTheMainWindow) {
  for (const Plugin& plugin : kPlugins) {
    SCOPED_TRACE(plugin.name);
    WexInstall install(plugin.name);
    WexProcess wex(install);
    const std::string window = WaitForMainWindow("memo - Wex");
    ASSERT_FALSE(window.empty());
    ChooseThePlugin(window, "alt+o");
    const std::string settings = WaitForWindow(plugin.settingsCaption);
    ASSERT_FALSE(settings.empty()) << "no settings window";
    EXPECT_EQ(TransientFor(settings), window);
    PressKeys(settings, "Escape");
    EXPECT_EQ(CloseWindow(window, wex), 0);
  }
}

}  // namespace
