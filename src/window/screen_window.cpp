#include "window/screen_window.h"
#include "window/text.h"

#include "resources/units.h"
#include "window/controls.h"
#include "window/placement.h"
#include "window/screen_surface.h"
#include "window/x11_hints.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cassert>

namespace quorvel {

namespace {
// Every screen is a normal top-level window: a Qt::Tool or Qt::Dialog would be made transient for
// the program's hidden group leader, and GNOME-family window managers keep such windows above all
// other windows of the program, so pages opened from the test or the tutorial would open behind it.
Qt::WindowFlags flagsFor(const ScreenDescription &d)
{
    if (d.border == BorderStyle::None)
        return Qt::Window | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (d.minButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (d.maxButton)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}
} // namespace

ScreenWindow::ScreenWindow(const ScreenDescription &description, WindowEvents &events)
    : QMainWindow(nullptr), m_description(description), m_events(&events), m_controls(description.name)
{
    setObjectName(toQString(description.name));
    createFrame();
    createMenus();
    createControls();
    applyStacking();
    applyTabOrder();
    updatePictureFocus();
    QAccessible::installActivationObserver(this);
}

ScreenWindow::~ScreenWindow()
{
    QAccessible::removeActivationObserver(this);
}

void ScreenWindow::createFrame()
{
    setWindowFlags(flagsFor(m_description));
    setWindowTitle(toQString(m_description.caption));
    m_surface = new ScreenSurface(this, m_description);
    m_surface->setObjectName(toQString(m_description.name) + QStringLiteral(".surface"));
    setCentralWidget(m_surface);
}

void ScreenWindow::createMenus()
{
    const auto &menus = m_description.menus;
    if (menus.empty())
        return;
    QMenuBar *bar = menuBar();
    QMenu *dropDown = nullptr;
    for (size_t i = 0; i < menus.size(); ++i) {
        const MenuEntryDescription &entry = menus[i];
        QAction *action = nullptr;
        if (entry.level == 1) {
            // A level 1 entry with entries under it opens their drop-down; one without is a command.
            const bool hasDropDown = i + 1 < menus.size() && menus[i + 1].level == 2;
            dropDown = hasDropDown ? bar->addMenu(toQString(entry.caption)) : nullptr;
            action = hasDropDown ? dropDown->menuAction() : bar->addAction(toQString(entry.caption));
        } else {
            assert(dropDown && "a drop-down entry follows its level 1 entry");
            action = dropDown->addAction(toQString(entry.caption));
        }
        action->setObjectName(toQString(entry.name));
        m_menuActions.emplace(std::string(entry.name), action);
        connect(action, &QAction::triggered, this, [this, name = entry.name] {
            if (m_events)
                m_events->controlEvent(name, ControlEvent::Click);
        });
    }
}

QWidget *ScreenWindow::containerWidget(std::string_view container) const
{
    if (container.empty())
        return m_surface;
    // A container is a picture box stored earlier.
    return m_controls.get<PictureBoxControl>(container).client();
}

void ScreenWindow::createControls()
{
    for (const ControlDescription &d : m_description.controls) {
        QWidget *parent = containerWidget(d.container);
        auto click = [this, name = d.name] {
            if (m_events)
                m_events->controlEvent(name, ControlEvent::Click);
        };
        QWidget *widget = nullptr;
        switch (d.kind) {
        case ControlKind::Label: widget = new LabelControl(d, parent); break;
        case ControlKind::TextBox: widget = new TextBoxControl(d, parent); break;
        case ControlKind::ListBox: widget = new ListBoxControl(d, parent, click); break;
        case ControlKind::CommandButton: widget = new ButtonControl(d, parent, click); break;
        case ControlKind::PictureBox: widget = new PictureBoxControl(d, parent); break;
        }
        widget->setObjectName(toQString(d.name));
        if (!d.accessibleName.empty())
            widget->setAccessibleName(toQString(d.accessibleName));
        widget->setGeometry(twipsToPixels(d.left), twipsToPixels(d.top), twipsToPixels(d.width),
                            twipsToPixels(d.height));
        widget->setVisible(d.visible);
        m_controls.add(d.name, widget);
    }
}

void ScreenWindow::applyStacking()
{
    // Among siblings the control stored first lies on top; labels lie beneath every other control.
    const auto &controls = m_description.controls;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        if (it->kind != ControlKind::Label)
            control(it->name)->raise();
    }
    for (const ControlDescription &d : controls) {
        if (d.kind == ControlKind::Label)
            control(d.name)->lower();
    }
}

void ScreenWindow::applyTabOrder()
{
    // Picture boxes are in the order too (Qt chains only widgets that take the focus); whether they
    // take it is settled afterwards (updatePictureFocus).
    std::vector<const ControlDescription *> order;
    for (const ControlDescription &d : m_description.controls) {
        auto *box = qobject_cast<PictureBoxControl *>(control(d.name));
        if (box && box->client()->picture())
            box->setFocusPolicy(Qt::TabFocus);
        if (control(d.name)->focusPolicy() != Qt::NoFocus)
            order.push_back(&d);
    }
    std::stable_sort(order.begin(), order.end(), [](auto *a, auto *b) { return a->tabIndex < b->tabIndex; });
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(control(order[i - 1]->name), control(order[i]->name));
}

QAction *ScreenWindow::menuAction(std::string_view name) const
{
    const auto it = m_menuActions.find(name);
    return it == m_menuActions.end() ? nullptr : it->second;
}

QSize ScreenWindow::describedSize() const
{
    const QSize client(twipsToPixels(m_description.clientWidth), twipsToPixels(m_description.clientHeight));
    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    return {client.width(), client.height() + menuHeight};
}

void ScreenWindow::place()
{
    const QSize size = describedSize();
    // A maximized screen with a fixed border is fixed once restored (see changeEvent). The limits
    // come first: they decide the frame the window manager gives the window.
    if (!isResizable(m_description.border) && m_description.windowState != WindowState::Maximized)
        setFixedSize(size);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QRect placed(QPoint(0, 0), size);
    // A maximized screen fills the area in any case; restored, it must fit there too (a window
    // manager may also leave it unmaximized), so it may shrink where its described size does not fit.
    const bool maximized = m_description.windowState == WindowState::Maximized;
    const bool shrinkable = isResizable(m_description.border) || maximized;
    const QMargins roomForAnyFrame(16, 48, 16, 16);
    const bool onX11 = QGuiApplication::platformName() == QLatin1String("xcb");
    m_restoredSize = size;
    switch (m_description.startUpPosition) {
    case StartUpPosition::Manual: {
        const int menuHeight = size.height() - twipsToPixels(m_description.clientHeight);
        placed.moveTopLeft(
            QPoint(twipsToPixels(m_description.clientLeft), twipsToPixels(m_description.clientTop) - menuHeight));
        break;
    }
    case StartUpPosition::CenterScreen: placed.moveCenter(area.center()); break;
    case StartUpPosition::WindowsDefault:
        // The window manager chooses the place; only the size must fit.
        placed.moveTopLeft(area.topLeft());
        if (onX11 && maximized && !area.contains(placed + roomForAnyFrame))
            m_restoredSize = fitInside(placed, expectedFrameMargins(*this), area, true).size();
        resize(m_restoredSize);
        return;
    }
    // On a small screen the whole window, frame included, stays inside the area the window manager
    // leaves free: a screen keeps its described place where it fits there, and otherwise moves the
    // least distance that brings it in. (The offscreen platform has no window manager and no panels.)
    // Where it fits with room for any window manager's frame, the window manager is not asked for
    // its frame: that costs a round trip to it at every opening.
    if (onX11 && !area.contains(placed + roomForAnyFrame))
        placed = fitInside(placed, expectedFrameMargins(*this), area, shrinkable);
    m_restoredSize = placed.size();
    setGeometry(placed);
}

void ScreenWindow::showScreen()
{
    noteOpener();
    if (!m_description.showInTaskbar)
        requestNoTaskbarButton(*this);
    if (!m_placed) {
        prepareSeenPictures();
        place();
        m_placed = true;
        if (m_description.windowState == WindowState::Maximized)
            showMaximized();
        else
            show();
        updatePictureFocus(); // now that the boxes have their sizes
        focusFirstControl();
        // Once the window is on the screen, the pictures it hides are drawn on the other cores.
        if (QWindow *handle = windowHandle(); handle && !handle->isExposed())
            handle->installEventFilter(this);
        else
            QTimer::singleShot(0, this, &ScreenWindow::prepareUnseenPictures);
        return;
    }
    show();
}

bool ScreenWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        // After this exposure has been painted.
        QTimer::singleShot(0, this, &ScreenWindow::prepareUnseenPictures);
    }
    return QMainWindow::eventFilter(watched, event);
}

void prepareShownPicturesAhead(const ScreenDescription &d)
{
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    Picture::prepareAhead(d.picture, QSize(twipsToPixels(d.clientWidth), twipsToPixels(d.clientHeight)), ratio);
    const auto shown = [&](const ControlDescription &c) {
        for (const ControlDescription *at = &c; at;) {
            if (!at->visible)
                return false;
            const auto container = std::find_if(d.controls.begin(), d.controls.end(),
                                                [&](const ControlDescription &o) { return o.name == at->container; });
            at = container == d.controls.end() ? nullptr : &*container;
        }
        return true;
    };
    for (const ControlDescription &c : d.controls)
        if (c.kind == ControlKind::PictureBox && shown(c))
            Picture::prepareAhead(c.picture, PictureBoxControl::clientSize(c), ratio);
}

void ScreenWindow::prepareSeenPictures()
{
    // Drawn on another core while this one maps and paints the rest of the window.
    m_surface->preparePicture(PictureNeed::Now);
    const qreal ratio = devicePixelRatioF();
    for (const ControlDescription &d : m_description.controls) {
        auto *box = qobject_cast<PictureBoxControl *>(control(d.name));
        if (box && box->seen())
            box->preparePicture(ratio, PictureNeed::Now);
    }
}

void ScreenWindow::prepareUnseenPictures()
{
    // A student reads a screen before choosing what it shows next: the panels and figures that
    // choice uncovers are drawn meanwhile, so that they appear within a frame.
    const qreal ratio = devicePixelRatioF();
    for (const ControlDescription &d : m_description.controls) {
        auto *box = qobject_cast<PictureBoxControl *>(control(d.name));
        if (box && !box->seen()) // hidden or covered: not drawn yet
            box->preparePicture(ratio);
    }
    if (m_events)
        m_events->windowFirstPainted();
}

void ScreenWindow::focusFirstControl()
{
    // The screen opens with the focus on the visible control of lowest TabIndex that can take it.
    const ControlDescription *first = nullptr;
    for (const ControlDescription &d : m_description.controls) {
        QWidget *w = control(d.name);
        if (w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(this) && (!first || d.tabIndex < first->tabIndex))
            first = &d;
    }
    if (first)
        control(first->name)->setFocus(Qt::OtherFocusReason);
}

void ScreenWindow::bringForward()
{
    if (isMinimized()) // a minimized screen that is shown comes back as it was before
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) // it has no stacking to change
        raise();
    activateWindow();
}

void ScreenWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized))
        m_maximizedOnce = true;
    // Restored by the window manager: back to the described size, fixed. A window manager may report
    // a plain state while it maps a maximized window (metacity does); fixed then, the window could no
    // longer be maximized and would stay at its described size, larger than a small screen.
    if (event->type() == QEvent::WindowStateChange && !isResizable(m_description.border) && m_maximizedOnce &&
        !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
        setFixedSize(m_restoredSize);
    if (m_events && event->type() == QEvent::ActivationChange && isActiveWindow())
        m_events->windowActivated();
}

void ScreenWindow::closeEvent(QCloseEvent *event)
{
    // A frameless page has no close box: a close asked by the window manager (Alt+F4) is refused.
    if (!hasTitleBar(m_description.border)) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_events)
        m_events->windowCloseRequested();
}

} // namespace quorvel
