#pragma once
#include "framework/CmdUI.h"

#include <functional>
#include <unordered_map>

// A command target keeps a table from command id to handler, and from command id
// to update handler. Routing asks targets in turn; the first with a handler wins.
class CCmdTarget {
 public:
  using Handler = std::function<void(int id)>;
  using UpdateHandler = std::function<void(CCmdUI&)>;

  virtual ~CCmdTarget() = default;

  /// Runs the handler for `id`; false when this target has none.
  virtual bool OnCmdMsg(int id);
  /// Runs the update handler for `id`; false when this target has none.
  bool OnUpdateCmdUI(CCmdUI& ui);
  bool HasCommand(int id) const { return commands_.count(id) != 0; }

 protected:
  void OnCommand(int id, Handler handler) { commands_[id] = std::move(handler); }
  void OnCommandRange(int first, int last, const Handler& handler);
  void OnUpdate(int id, UpdateHandler handler) { updates_[id] = std::move(handler); }
  void OnUpdateRange(int first, int last, const UpdateHandler& handler);

 private:
  std::unordered_map<int, Handler> commands_;
  std::unordered_map<int, UpdateHandler> updates_;
};
