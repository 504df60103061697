#include "framework/CmdTarget.h"

bool CCmdTarget::OnCmdMsg(int id) {
  auto it = commands_.find(id);
  if (it == commands_.end()) return false;
  it->second(id);
  return true;
}

bool CCmdTarget::OnUpdateCmdUI(CCmdUI& ui) {
  auto it = updates_.find(ui.id);
  if (it == updates_.end()) return false;
  it->second(ui);
  return true;
}

void CCmdTarget::OnCommandRange(int first, int last, const Handler& handler) {
  for (int id = first; id <= last; ++id) commands_[id] = handler;
}

void CCmdTarget::OnUpdateRange(int first, int last, const UpdateHandler& handler) {
  for (int id = first; id <= last; ++id) updates_[id] = handler;
}
