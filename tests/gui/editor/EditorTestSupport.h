#pragma once
// Helpers shared by the editor's GUI tests.

#include "framework/ModalSeam.h"
#include "tests/support/FreshSettings.h"
#include "tests/support/WexHarness.h"

#include <gtest/gtest.h>
#include <QMessageBox>
#include <QString>
#include <string>

/// Removes the settings before and after each test.
class EditorTest : public FreshSettingsTest {};

/// Text of Shift-JIS bytes given as UTF-8 (for readable expectations).
std::string Sjis(const char* utf8);
/// Lets posted events (queued calls, zero-time timers) arrive.
void DeliverPostedEvents();
/// Queues a file dialog answer: the dialog accepts `path`.
void QueueFileChoice(ModalScript& script, const std::string& path);
/// The text of the status bar's line and column pane.
QString LineColumnPane(WexHarness& wex);
void SetSetting(const char* section, const char* key, const std::string& value);
std::string GetSetting(const char* section, const char* key);
