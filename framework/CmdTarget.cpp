#include "framework/CmdTarget.h"

bool CCmdTarget::OnCmdMsg(int id) {
  auto it = m_commands.find(id);
  if (it != m_commands.end()) {
    it->second(id);
    return true;
  }
  for (CCmdTarget* part : m_parts)
    if (part->OnCmdMsg(id)) return true;
  return false;
}

bool CCmdTarget::OnUpdateCmdUI(CCmdUI& ui) {
  auto it = m_updates.find(ui.id);
  if (it != m_updates.end()) {
    it->second(ui);
    return true;
  }
  for (CCmdTarget* part : m_parts)
    if (part->OnUpdateCmdUI(ui)) return true;
  return false;
}

bool CCmdTarget::HasCommand(int id) const {
  if (m_commands.count(id) != 0) return true;
  for (const CCmdTarget* part : m_parts)
    if (part->HasCommand(id)) return true;
  return false;
}

void CCmdTarget::OnCommandRange(int first, int last, const Handler& handler) {
  for (int id = first; id <= last; ++id) m_commands[id] = handler;
}

void CCmdTarget::OnUpdateRange(int first, int last, const UpdateHandler& handler) {
  for (int id = first; id <= last; ++id) m_updates[id] = handler;
}
