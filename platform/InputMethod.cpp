#include "platform/InputMethod.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

// fcitx5 switches the focused input context on through its controller object.
// IBus (1.5 and later) keeps no open/closed state of its own: input modes belong
// to each engine, so there is nothing general to ask it.
bool ActivateOverDBus() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QString service = QStringLiteral("org.fcitx.Fcitx5");
  if (!bus.interface()->isServiceRegistered(service)) return false;
  const QDBusMessage call = QDBusMessage::createMethodCall(
      service, QStringLiteral("/controller"), QStringLiteral("org.fcitx.Fcitx.Controller1"),
      QStringLiteral("Activate"));
  return bus.call(call, QDBus::Block, 500).type() == QDBusMessage::ReplyMessage;
}

InputMethodActivator& Current() {
  static InputMethodActivator activator = ActivateOverDBus;
  return activator;
}

}  // namespace

bool ActivateInputMethod() { return Current()(); }

InputMethodActivator ReplaceInputMethodActivator(InputMethodActivator activator) {
  InputMethodActivator previous = std::move(Current());
  Current() = activator ? std::move(activator) : InputMethodActivator(ActivateOverDBus);
  return previous;
}
