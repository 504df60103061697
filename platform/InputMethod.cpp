#include "platform/InputMethod.h"

#include "platform/IBusInputMethod.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QWindow>

namespace {

constexpr int kCallTimeoutMs = 500;

QDBusMessage Fcitx5Call(const QDBusConnection& bus, const char* method) {
  const QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
      QStringLiteral("org.fcitx.Fcitx.Controller1"), QString::fromLatin1(method));
  return bus.call(call, QDBus::Block, kCallTimeoutMs);
}

// Where fcitx5 sees this program's input context: it lists its contexts one a
// line, each with the program it serves and whether it has the focus ("IC [...]
// program:wex frontend:dbus cap:... focus:1").
enum class Fcitx5Context { Missing, Unfocused, Focused };

Fcitx5Context OurFcitx5Context(const QDBusConnection& bus) {
  const QDBusMessage info = Fcitx5Call(bus, "DebugInfo");
  if (info.type() != QDBusMessage::ReplyMessage || info.arguments().isEmpty())
    return Fcitx5Context::Missing;
  const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  const QRegularExpression ours(
      QStringLiteral("program:%1 .*focus:([01])").arg(QRegularExpression::escape(program)));
  Fcitx5Context found = Fcitx5Context::Missing;
  for (auto it = ours.globalMatch(info.arguments().first().toString()); it.hasNext();) {
    if (it.next().captured(1) == QLatin1String("1")) return Fcitx5Context::Focused;
    found = Fcitx5Context::Unfocused;
  }
  return found;
}

// The toolkit's fcitx5 module tells fcitx5 of the focus when it changes, and now
// and then that news is lost while the context is still being set up: fcitx5 then
// keeps our context unfocused although our window has the keyboard, until the
// focus moves again. Announcing the focus object anew makes the module tell it
// once more, without moving the focus inside the window.
void AnnounceFocusAgain() {
  if (QWindow* window = QGuiApplication::focusWindow())
    emit window->focusObjectChanged(window->focusObject());
}

InputMethodAnswer ActivateOverDBus() {
  // fcitx5 can also serve programs that speak IBus's protocol: it is asked when
  // IBus has nothing to switch.
  const std::optional<InputMethodAnswer> ibus = SwitchIBusOn();
  if (ibus && *ibus != InputMethodAnswer::NoFramework) return *ibus;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() ||
      !bus.interface()->isServiceRegistered(QStringLiteral("org.fcitx.Fcitx5")))
    return InputMethodAnswer::NoFramework;
  // Its controller switches on whichever context is focused, so it is asked only
  // once that is ours.
  switch (OurFcitx5Context(bus)) {
    case Fcitx5Context::Missing: return InputMethodAnswer::NotYet;
    case Fcitx5Context::Unfocused: AnnounceFocusAgain(); return InputMethodAnswer::NotYet;
    case Fcitx5Context::Focused: break;
  }
  return Fcitx5Call(bus, "Activate").type() == QDBusMessage::ReplyMessage
             ? InputMethodAnswer::On
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
