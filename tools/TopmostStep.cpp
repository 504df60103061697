#include "tools/TopmostStep.h"

#include "tools/StartProgram.h"

#include <unistd.h>
#include <QCoreApplication>

namespace {

constexpr int kLookIntervalMs = 50;

}  // namespace

bool TopmostStep::Start(const StartedProgram& program, DesktopWindows& windows) {
  // Two waits would each take the other's tool window for their own.
  if (qApp->findChild<TopmostStep*>(QString(), Qt::FindDirectChildrenOnly)) return false;
  new TopmostStep(program, windows);
  return true;
}

TopmostStep::TopmostStep(const StartedProgram& program, DesktopWindows& windows)
    : QObject(qApp),
      m_wait(
          program.pid, ::getpid(), [program] { return program.HasExited(); }, windows,
          TopmostWait::Clock::now()) {
  m_timer.setInterval(kLookIntervalMs);
  connect(&m_timer, &QTimer::timeout, this, &TopmostStep::Look);
  m_timer.start();
}

void TopmostStep::Look() {
  if (!m_wait.Look(TopmostWait::Clock::now())) return;
  m_timer.stop();
  setParent(nullptr);  // the next tool may start a step of its own at once
  deleteLater();
}
