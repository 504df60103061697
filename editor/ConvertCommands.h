#pragma once
#include "framework/CmdTarget.h"

class CWEXView;

// The conversions of the whole text from EUC or JIS to Shift-JIS, and their
// information boxes.
class ConvertCommands : public CCmdTarget {
 public:
  explicit ConvertCommands(CWEXView& view);

 private:
  void Convert(int id);
  void ShowInfo(int id);

  CWEXView& m_view;
};
