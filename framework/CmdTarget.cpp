#include "framework/CmdTarget.h"

bool CCmdTarget::OnCmdMsg(int id) {
  auto it = commands_.find(id);
  if (it != commands_.end()) {
    it->second(id);
    return true;
  }
  for (CCmdTarget* part : parts_)
    if (part->OnCmdMsg(id)) return true;
  return false;
}

bool CCmdTarget::OnUpdateCmdUI(CCmdUI& ui) {
  auto it = updates_.find(ui.id);
  if (it != updates_.end()) {
    it->second(ui);
    return true;
  }
  for (CCmdTarget* part : parts_)
    if (part->OnUpdateCmdUI(ui)) return true;
  return false;
}

bool CCmdTarget::HasCommand(int id) const {
  if (commands_.count(id) != 0) return true;
  for (const CCmdTarget* part : parts_)
    if (part->HasCommand(id)) return true;
  return false;
}

void CCmdTarget::OnCommandRange(int first, int last, const Handler& handler) {
  for (int id = first; id <= last; ++id) commands_[id] = handler;
}

void CCmdTarget::OnUpdateRange(int first, int last, const UpdateHandler& handler) {
  for (int id = first; id <= last; ++id) updates_[id] = handler;
}
