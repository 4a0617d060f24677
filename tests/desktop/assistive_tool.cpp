#include "desktop/assistive_tool.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QListWidget>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>

namespace quorvel::desktop {

namespace {
constexpr int replyMs = 10000;

QDBusMessage callOn(QDBusConnection &bus, const QString &service, const QString &path, const QString &interface,
                    const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, replyMs);
}

// The program's own connection to the accessibility bus: the other one of this process's.
QString programOn(QDBusConnection &bus)
{
    const auto names = bus.interface()->registeredServiceNames();
    for (const QString &name : names.value()) {
        if (name.startsWith(QLatin1Char(':')) && name != bus.baseService() &&
            bus.interface()->servicePid(name).value() == uint(QCoreApplication::applicationPid()))
            return name;
    }
    return {};
}

// Runs on the asking thread: finds the accessibility bus through the session bus, then asks.
QVariant ask(const QString &path, const QString &interface, const QString &method, const QVariantList &arguments)
{
    const QString name = QStringLiteral("quorvel-assistive-tool");
    QVariant result;
    {
        QDBusConnection session =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, name + QLatin1String("-s"));
        const QDBusMessage address = callOn(session, QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                            QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
        QDBusConnection bus = QDBusConnection::connectToBus(address.arguments().value(0).toString(), name);
        const QString program = bus.isConnected() ? programOn(bus) : QString();
        if (!program.isEmpty()) {
            const QDBusMessage reply = callOn(bus, program, path, interface, method, arguments);
            if (reply.type() == QDBusMessage::ReplyMessage)
                result = reply.arguments().isEmpty() ? QVariant(true) : reply.arguments().first();
        }
    }
    QDBusConnection::disconnectFromBus(name);
    QDBusConnection::disconnectFromBus(name + QLatin1String("-s"));
    return result;
}
} // namespace

QVariant askOverAccessibilityBus(QAccessibleInterface *object, const QString &interface, const QString &method,
                                 const QVariantList &arguments)
{
    if (!object)
        return {};
    // The path under which the toolkit's bridge publishes the object.
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(object));
    QVariant result;
    std::atomic<bool> answered = false;
    std::unique_ptr<QThread> tool(QThread::create([&] {
        result = ask(path, interface, method, arguments);
        answered = true;
    }));
    tool->start();
    (void)QTest::qWaitFor([&] { return answered.load(); }, 3 * replyMs);
    // Each call on the asking thread gives up after replyMs, so it ends.
    while (!tool->wait(20))
        QCoreApplication::processEvents();
    return result;
}

QStringList accessibleInterfaces(QAccessibleInterface *object)
{
    return askOverAccessibilityBus(object, QStringLiteral("org.a11y.atspi.Accessible"), QStringLiteral("GetInterfaces"))
        .toStringList();
}

bool chooseRow(QListWidget *list, int row, Through through)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(list);
    if (accessibleInterfaces(a).contains(QStringLiteral("org.a11y.atspi.Selection")))
        return askOverAccessibilityBus(a, QStringLiteral("org.a11y.atspi.Selection"), QStringLiteral("SelectChild"),
                                       {row})
            .toBool();
    if (through == Through::TableRow)
        return askOverAccessibilityBus(a, QStringLiteral("org.a11y.atspi.Table"), QStringLiteral("AddRowSelection"),
                                       {row})
            .toBool();
    return askOverAccessibilityBus(a->child(row), QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("DoAction"),
                                   {0}) // its only action, Toggle
        .toBool();
}

bool tryToDeselect(QListWidget *list, int row)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(list);
    bool answered =
        askOverAccessibilityBus(a->child(row), QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("DoAction"), {0})
            .isValid() &&
        askOverAccessibilityBus(a, QStringLiteral("org.a11y.atspi.Table"), QStringLiteral("RemoveRowSelection"), {row})
            .isValid();
    if (accessibleInterfaces(a).contains(QStringLiteral("org.a11y.atspi.Selection"))) {
        const QString selection = QStringLiteral("org.a11y.atspi.Selection");
        answered = askOverAccessibilityBus(a, selection, QStringLiteral("DeselectChild"), {row}).isValid() &&
                   askOverAccessibilityBus(a, selection, QStringLiteral("ClearSelection")).isValid() && answered;
    }
    return answered;
}

} // namespace quorvel::desktop
