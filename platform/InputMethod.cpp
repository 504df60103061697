#include "platform/InputMethod.h"

#include "platform/IBusInputMethod.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int kCallTimeoutMs = 500;

QDBusMessage Fcitx5Call(const QDBusConnection& bus, const char* method) {
  const QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
      QStringLiteral("org.fcitx.Fcitx.Controller1"), QString::fromLatin1(method));
  return bus.call(call, QDBus::Block, kCallTimeoutMs);
}

// fcitx5 lists its input contexts, each with the program it serves and whether
// it has the focus ("IC [...] program:wex frontend:dbus cap:... focus:1"). Its
// controller switches on whichever context is focused, so it is asked only
// once that is ours.
bool Fcitx5FocusIsOurs(const QDBusConnection& bus) {
  const QDBusMessage info = Fcitx5Call(bus, "DebugInfo");
  if (info.type() != QDBusMessage::ReplyMessage || info.arguments().isEmpty()) return false;
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  const QRegularExpression ours(QStringLiteral("program:%1 .*focus:1").arg(QRegularExpression::escape(program)));
  return ours.match(info.arguments().first().toString()).hasMatch();
}

InputMethodAnswer ActivateOverDBus() {
  // fcitx5 can also serve programs that speak IBus's protocol: it is asked when
  // IBus has nothing to switch.
  const std::optional<InputMethodAnswer> ibus = SwitchIBusOn();
  if (ibus && *ibus != InputMethodAnswer::NoFramework) return *ibus;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(QStringLiteral("org.fcitx.Fcitx5")))
    return InputMethodAnswer::NoFramework;
  if (!Fcitx5FocusIsOurs(bus)) return InputMethodAnswer::NotYet;
  return Fcitx5Call(bus, "Activate").type() == QDBusMessage::ReplyMessage ? InputMethodAnswer::On
                                                                          : InputMethodAnswer::NoFramework;
}

InputMethodActivator& Current() {
  static InputMethodActivator activator = ActivateOverDBus;
  return activator;
}

}  // namespace

InputMethodAnswer ActivateInputMethod() { return Current()(); }

InputMethodActivator ReplaceInputMethodActivator(InputMethodActivator activator) {
  InputMethodActivator previous = std::move(Current());
  Current() = activator ? std::move(activator) : InputMethodActivator(ActivateOverDBus);
  return previous;
}
