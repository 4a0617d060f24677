#include "window/control_lookup.h"

#include <QtGlobal>

namespace quorvel {

QWidget *ControlLookup::find(std::string_view name) const
{
    const auto it = m_controls.find(name);
    return it == m_controls.end() ? nullptr : it->second;
}

void ControlLookup::fail(std::string_view name, const char *kind, const char *otherKind) const
{
    const QWidget *found = find(name);
    qFatal("screen %.*s has no %s%s%s named \"%.*s\"%s%s", int(m_screen.size()), m_screen.data(), kind,
           otherKind ? " or " : "", otherKind ? otherKind : "", int(name.size()), name.data(),
           found ? ": that control is a " : "", found ? found->metaObject()->className() : "");
}

} // namespace quorvel
