#pragma once
// The topmost step of a started tool, run in the event loop so that the editor
// keeps repainting and answering keys while the tool comes up.

#include "tools/TopmostWait.h"

#include <QObject>
#include <QTimer>

struct StartedProgram;

class TopmostStep : public QObject {
  Q_OBJECT
 public:
  /// Starts the step for `program`, unless a step for another tool still runs:
  /// then `program` goes without one and false is returned.
  static bool Start(const StartedProgram& program, DesktopWindows& windows);

 private:
  TopmostStep(const StartedProgram& program, DesktopWindows& windows);
  void Look();

  TopmostWait m_wait;
  QTimer m_timer;
};
