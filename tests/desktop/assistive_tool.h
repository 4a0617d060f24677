#pragma once
// What a switch-access or voice-control tool does: it asks the program for an action over the
// accessibility bus (AT-SPI), a method of one of an object's interfaces. The request goes out from
// another thread on a connection of its own while this thread's event loop turns, so the program
// answers it as it answers any assistive technology.

#include <QString>
#include <QVariant>
#include <QVariantList>

class QAccessibleInterface;
class QListWidget;

namespace quorvel::desktop {

// The reply's first value (true for a reply without one); an invalid value if the call failed.
QVariant askOverAccessibilityBus(QAccessibleInterface *object, const QString &interface, const QString &method,
                                 const QVariantList &arguments = {});

// The AT-SPI interfaces the object offers ("org.a11y.atspi.Selection", ...).
QStringList accessibleInterfaces(QAccessibleInterface *object);

// How a tool chooses a row through the accessibility interface: the list's Selection where the
// toolkit offers it (Qt 6.5 on); with Qt 6.4, the list's table row selection or the row's action.
enum class Through { TableRow, RowAction };
bool chooseRow(QListWidget *list, int row, Through through);
// Every way the accessibility interface offers to take the row's selection away; true once each
// request was answered (granted or refused).
bool tryToDeselect(QListWidget *list, int row);

} // namespace quorvel::desktop
