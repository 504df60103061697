#include "platform/IBusInputMethod.h"

#include "platform/IBusEngines.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {

// IBus lets only the connection that created an input context call it. The
// toolkit's IBus input context talks to the daemon on a connection of this name.
const QString kToolkitConnection = QStringLiteral("QIBusProxy");
const QString kService = QStringLiteral("org.freedesktop.IBus");
constexpr unsigned kPropertyChecked = 1;
// A call into a context that is not ours gets no answer at all, so it must not
// hold the editor long.
constexpr int kCallTimeoutMs = 200;

QDBusMessage Call(const QDBusConnection& bus, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, path, interface, method);
  call.setArguments(arguments);
  return bus.call(call, QDBus::Block, kCallTimeoutMs);
}

QVariant FirstAnswer(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
  return reply.arguments().first().value<QDBusVariant>().variant();
}

QString FocusedInputContext(const QDBusConnection& bus) {
  const QVariant path =
      FirstAnswer(Call(bus, QStringLiteral("/org/freedesktop/IBus"),
                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                       {kService, QStringLiteral("CurrentInputContext")}));
  return path.value<QDBusObjectPath>().path();
}

struct Engine {
  QString name;
  QString language;
};

// The engine serving the context, from its description (a structure that opens
// with its type name, attachments, name, long name, description, language...).
// Nothing when the context is not ours: IBus does not answer then.
std::optional<Engine> EngineOf(const QDBusConnection& bus, const QString& context) {
  const QVariant desc =
      FirstAnswer(Call(bus, context, QStringLiteral("org.freedesktop.IBus.InputContext"),
                       QStringLiteral("GetEngine")));
  if (!desc.canConvert<QDBusArgument>()) return std::nullopt;
  const QDBusArgument fields = desc.value<QDBusArgument>();
  QString type, longName, description;
  QVariantMap attachments;
  Engine engine;
  fields.beginStructure();
  fields >> type >> attachments >> engine.name >> longName >> description >> engine.language;
  return engine;
}

}  // namespace

std::optional<InputMethodAnswer> SwitchIBusOn() {
  const QDBusConnection bus(kToolkitConnection);
  if (!bus.isConnected()) return std::nullopt;
  // The toolkit tells IBus of the focus on this same connection, so what IBus
  // answers here already counts our view's focus.
  const QString context = FocusedInputContext(bus);
  if (context.isEmpty()) return InputMethodAnswer::NoFramework;
  const std::optional<Engine> engine = EngineOf(bus, context);
  // "dummy" stands for an engine still being attached to the context.
  if (!engine || engine->name == QLatin1String("dummy")) return InputMethodAnswer::NotYet;
  const std::vector<std::string> properties =
      HiraganaModeProperties(engine->name.toStdString(), engine->language.toStdString());
  if (properties.empty()) return InputMethodAnswer::NoFramework;
  for (const std::string& property : properties)
    Call(bus, context, QStringLiteral("org.freedesktop.IBus.InputContext"),
         QStringLiteral("PropertyActivate"), {QString::fromStdString(property), kPropertyChecked});
  return InputMethodAnswer::On;
}
