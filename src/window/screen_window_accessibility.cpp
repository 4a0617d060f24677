// What a screen reader says of a window, which pictures a keyboard user reaches with Tab, and the
// keys that lead from a page back to the list whose choice showed it.
#include "window/screen_window.h"

#include "window/controls.h"
#include "window/screen_surface.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>

namespace quorvel {

namespace {
int shownInAnswer = 0; // windows shown in answer to a choice in a list, so far

// The keys that move through a list.
bool isListKey(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End: return (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    default: return false;
    }
}
} // namespace

QString ScreenWindow::spokenName() const
{
    const Picture *picture = m_surface->picture();
    if (!hasTitleBar(m_description.border) && picture && !picture->title().isEmpty())
        return picture->title();
    return windowTitle();
}

QString ScreenWindow::spokenDescription() const
{
    QStringList parts;
    if (!m_answer.isEmpty())
        parts.append(m_answer);
    if (!m_surface->printedLines().isEmpty())
        parts.append(m_surface->printedLines().join(QLatin1Char('\n')));
    else if (const Picture *picture = m_surface->picture())
        parts.append(picture->description());

    struct Shown {
        QPoint at;
        QString text;
    };
    std::vector<Shown> labels;
    for (const ControlDescription &d : m_description.controls) {
        auto *label = qobject_cast<QLabel *>(control(d.name));
        if (label && label->isVisibleTo(this) && !label->text().trimmed().isEmpty())
            labels.push_back({label->mapTo(this, QPoint(0, 0)), label->text()});
    }
    std::stable_sort(labels.begin(), labels.end(), [](const Shown &a, const Shown &b) {
        return a.at.y() != b.at.y() ? a.at.y() < b.at.y() : a.at.x() < b.at.x();
    });
    for (const Shown &label : labels)
        parts.append(label.text);
    return parts.join(QLatin1Char('\n'));
}

void ScreenWindow::textChanged()
{
    // Printing a page changes its text line by line; the screen reader is told once, after.
    if (m_descriptionDue)
        return;
    m_descriptionDue = true;
    QTimer::singleShot(0, this, [this] {
        m_descriptionDue = false;
        publishDescription();
    });
}

void ScreenWindow::publishDescription()
{
    const QString now = spokenDescription();
    if (now == m_spokenDescription)
        return;
    m_spokenDescription = now;
    // A window never shown is not in the screen reader's tree yet; it reads the text when it comes.
    if (!m_placed || !QAccessible::isActive())
        return;
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

const ControlDescription *ScreenWindow::find(std::string_view name) const
{
    for (const ControlDescription &d : m_description.controls) {
        if (d.name == name)
            return &d;
    }
    return nullptr;
}

// Whether the control lies above the other: inside it, or stored before it (or before one of its
// containers) among the same siblings, labels excepted, which lie beneath.
bool ScreenWindow::liesAbove(const ControlDescription &upper, const ControlDescription &lower) const
{
    if (upper.container == lower.name)
        return true;
    if (upper.kind == ControlKind::Label)
        return false;
    for (const ControlDescription *below = &lower; below; below = find(below->container)) {
        if (upper.container == below->container && &upper < below)
            return true;
        if (below->container.empty())
            break;
    }
    return false;
}

// A picture box is seen when it is visible and nothing visible that lies above it covers it.
bool ScreenWindow::seen(const ControlDescription &box) const
{
    // What is seen of a widget on the surface: its rectangle, cut to its containers'.
    const auto areaOf = [this](const QWidget *w) {
        QRect area(w->mapTo(m_surface, QPoint(0, 0)), w->size());
        for (const QWidget *c = w->parentWidget(); c && c != m_surface; c = c->parentWidget())
            area &= QRect(c->mapTo(m_surface, QPoint(0, 0)), c->size());
        return area;
    };
    auto *w = &m_controls.get<PictureBoxControl>(box.name);
    if (!w->isVisibleTo(this))
        return false;
    for (const ControlDescription &d : m_description.controls) {
        QWidget *other = control(d.name);
        if (&d == &box || !liesAbove(d, box) || !other->isVisibleTo(this))
            continue;
        // A box inside it covers its picture when it fills the client area within the frame.
        const QRect covered = areaOf(d.container == box.name ? static_cast<QWidget *>(w->client()) : w);
        if (areaOf(other).contains(covered))
            return false;
    }
    return true;
}

void ScreenWindow::updatePictureFocus()
{
    // While a screen reader runs, Tab also reaches the pictures that are seen, and only those, so
    // that it reads each one's title and description. Without one the tab order is that of the
    // buttons, lists and text boxes alone, and a click never gives a picture the focus.
    const bool reachable = QAccessible::isActive();
    for (const ControlDescription &d : m_description.controls) {
        if (auto *box = qobject_cast<PictureBoxControl *>(control(d.name))) {
            box->setSeen(seen(d));
            box->setFocusPolicy(reachable && box->seen() && box->client()->picture() ? Qt::TabFocus : Qt::NoFocus);
        }
    }
}

void ScreenWindow::noteOpener()
{
    ListBoxControl *list = ListBoxControl::choosing();
    m_openedBy = list && list->window() != this ? list : nullptr;
    // The new window comes to the front at once, before a screen reader has read the chosen row:
    // what the program said to the choice is heard with the window.
    m_answer = m_openedBy ? m_openedBy->answer() : QString();
    if (m_openedBy)
        ++shownInAnswer;
    textChanged();
}

void ScreenWindow::backToList(ListBoxControl &list)
{
    list.readChosenRowOnArrival();
    list.setFocus(Qt::OtherFocusReason);
    if (auto *w = qobject_cast<ScreenWindow *>(list.window()))
        w->bringForward();
}

void ScreenWindow::handToList(ListBoxControl &list, const QKeyEvent &event)
{
    const int shownBefore = shownInAnswer;
    list.setFocus(Qt::OtherFocusReason);
    QKeyEvent moved(event.type(), event.key(), event.modifiers(), event.text(), event.isAutoRepeat(), event.count());
    QCoreApplication::sendEvent(&list, &moved);
    // A choice that showed no page in place of this one leaves the student in the list.
    if (shownInAnswer == shownBefore && !isVisible())
        backToList(list);
}

void ScreenWindow::keyPressEvent(QKeyEvent *event)
{
    // A page shown by a choice in a list (a topic page, an explanation page) leads back to that list
    // from the keyboard: Escape returns to it. A frameless page can be reached by no window frame,
    // task bar or switcher, so there the list's own keys go on choosing in it.
    ListBoxControl *list = m_openedBy;
    if (list && m_events && list->isVisible()) {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            backToList(*list);
            return;
        }
        if (!hasTitleBar(m_description.border) && isListKey(*event)) {
            handToList(*list, *event);
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace quorvel
