#pragma once
// The controls of one window, by the names of its description, and the one checked way to reach
// a control of a given kind. A name the window does not have, or a control of another kind, is a
// programming fault: it stops the program with a message naming the screen, the control and the
// kind, in every build type.

#include <QWidget>

#include <map>
#include <string>
#include <string_view>

namespace quorvel {

class ControlLookup
{
public:
    explicit ControlLookup(std::string_view screen) : m_screen(screen) {}

    void add(std::string_view name, QWidget *control) { m_controls.emplace(std::string(name), control); }
    // The control of that name, or null.
    QWidget *find(std::string_view name) const;

    // The control of that name, which must be of kind C.
    template <class C> C &get(std::string_view name) const
    {
        auto *control = qobject_cast<C *>(find(name));
        if (!control)
            fail(name, C::staticMetaObject.className());
        return *control;
    }
    // The control of that name, which must be one of the kinds A and B.
    template <class A, class B> QWidget &getEither(std::string_view name) const
    {
        QWidget *control = find(name);
        if (!qobject_cast<A *>(control) && !qobject_cast<B *>(control))
            fail(name, A::staticMetaObject.className(), B::staticMetaObject.className());
        return *control;
    }

    [[noreturn]] void fail(std::string_view name, const char *kind, const char *otherKind = nullptr) const;

private:
    std::string_view m_screen;
    std::map<std::string, QWidget *, std::less<>> m_controls;
};

} // namespace quorvel
