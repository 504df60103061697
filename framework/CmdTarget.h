#pragma once
#include "framework/CmdUI.h"

#include <functional>
#include <unordered_map>
#include <vector>

// A command target keeps a table from command id to handler, and from command id
// to update handler. Routing asks targets in turn; the first with a handler wins.
// A target may be made of parts, each a target of its own: what the target's own
// tables lack is asked of its parts in the order they were added.
class CCmdTarget {
 public:
  using Handler = std::function<void(int id)>;
  using UpdateHandler = std::function<void(CCmdUI&)>;

  virtual ~CCmdTarget() = default;

  /// Runs the handler for `id`; false when this target has none.
  virtual bool OnCmdMsg(int id);
  /// Runs the update handler for `id`; false when this target has none.
  bool OnUpdateCmdUI(CCmdUI& ui);
  bool HasCommand(int id) const;

 protected:
  void OnCommand(int id, Handler handler) { m_commands[id] = std::move(handler); }
  void OnCommandRange(int first, int last, const Handler& handler);
  void OnUpdate(int id, UpdateHandler handler) { m_updates[id] = std::move(handler); }
  void OnUpdateRange(int first, int last, const UpdateHandler& handler);
  /// `part` must outlive this target.
  void AddPart(CCmdTarget& part) { m_parts.push_back(&part); }

 private:
  std::unordered_map<int, Handler> m_commands;
  std::unordered_map<int, UpdateHandler> m_updates;
  std::vector<CCmdTarget*> m_parts;
};
