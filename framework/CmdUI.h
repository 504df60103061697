#pragma once
#include <QString>
#include <optional>

// What an update handler decides for one command before its menu item or
// button is shown.
struct CCmdUI {
  int id = 0;
  bool enabled = true;
  std::optional<bool> checked;
  std::optional<QString> text;

  void Enable(bool on = true) { enabled = on; }
  void SetCheck(bool on = true) { checked = on; }
  void SetText(const QString& t) { text = t; }
};
