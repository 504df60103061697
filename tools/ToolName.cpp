#include "tools/ToolName.h"

std::string_view ToolNameFromPath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  std::string_view name = path.substr(slash + 1);
  return name.substr(0, name.rfind('.'));
}
