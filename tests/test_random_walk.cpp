// Thousands of seeded random student actions over every screen: menu entries, list rows (mouse and
// keyboard), buttons, typing, Tab, closing windows through their frame. After every step the
// screen model must be consistent and each part's own rules must hold.
// QUORVEL_WALK_STEPS and QUORVEL_WALK_SEED choose the length and the seed.
#include "program_fixture.h"
#include "walk_invariants.h"
#include "window/text.h"

#include <QRandomGenerator>
#include <QtTest>

#include <set>

using namespace quorvel;
using namespace quorvel::testing;

namespace {

template <class W> std::vector<W *> visibleControls(ScreenRegistry &registry)
{
    std::vector<W *> found;
    for (Screen *s : registry.forms()) {
        if (!s->window() || !s->window()->isVisible())
            continue;
        for (W *w : s->window()->findChildren<W *>()) {
            if (w->isVisible() && w->isEnabled())
                found.push_back(w);
        }
    }
    return found;
}

std::vector<Screen *> visibleScreens(ScreenRegistry &registry)
{
    std::vector<Screen *> found;
    for (Screen *s : registry.forms()) {
        if (s->visible())
            found.push_back(s);
    }
    return found;
}

class Walker
{
public:
    explicit Walker(quint32 seed) : m_random(seed) {}

    // One student action; returns what it was, for the failure message.
    QString step(Program &p)
    {
        switch (m_random.bounded(20)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5: return chooseMenu(p);
        case 6:
        case 7:
        case 8:
        case 9: return clickAnyRow(p);
        case 10:
        case 11: return moveInList(p);
        case 12:
        case 13:
        case 14: return clickButton(p);
        case 15: return typeText(p);
        case 16: return pressTab(p);
        case 17: return closeWindow(p);
        case 18: return openUnreachableScreen(p);
        default: return chooseMenu(p);
        }
    }

private:
    template <class T> T *pick(const std::vector<T *> &items)
    {
        return items.empty() ? nullptr : items[m_random.bounded(quint32(items.size()))];
    }

    QString chooseMenu(Program &p)
    {
        Screen *s = pick(visibleScreens(p.registry));
        if (!s || s->description().menus.empty())
            return QStringLiteral("no menu");
        const auto &menus = s->description().menus;
        const MenuEntryDescription &entry = menus[m_random.bounded(quint32(menus.size()))];
        const QString what = QStringLiteral("menu %1.%2").arg(toQString(s->name()), toQString(entry.name));
        s->window()->menuAction(entry.name)->trigger();
        return what;
    }

    QString clickRowIn(ListBoxControl *list)
    {
        if (list->count() == 0)
            return QStringLiteral("empty list");
        const int row = int(m_random.bounded(quint32(list->count())));
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        return QStringLiteral("row %1 of %2").arg(row).arg(list->objectName());
    }

    QString moveInList(Program &p)
    {
        ListBoxControl *list = pick(visibleControls<ListBoxControl>(p.registry));
        if (!list)
            return QStringLiteral("no list");
        list->setFocus();
        const bool down = m_random.bounded(2) == 0;
        QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
        return QStringLiteral("key %1 in %2").arg(down ? "Down" : "Up", list->objectName());
    }

    QString clickButton(Program &p)
    {
        ButtonControl *button = pick(visibleControls<ButtonControl>(p.registry));
        if (!button)
            return QStringLiteral("no button");
        const QString what = QStringLiteral("button %1").arg(button->objectName());
        if (m_random.bounded(3) == 0) {
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        return what;
    }

    QString typeText(Program &p)
    {
        TextBoxControl *box = pick(visibleControls<TextBoxControl>(p.registry));
        if (!box)
            return QStringLiteral("no text box");
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("Q = U x A"));
        return QStringLiteral("typing into %1").arg(box->objectName());
    }

    QString pressTab(Program &p)
    {
        Screen *s = pick(visibleScreens(p.registry));
        if (!s)
            return QStringLiteral("no screen");
        QWidget *focus = s->window()->focusWidget() ? s->window()->focusWidget() : s->window();
        QTest::keyClick(focus, Qt::Key_Tab);
        return QStringLiteral("Tab in %1").arg(toQString(s->name()));
    }

    QString closeWindow(Program &p)
    {
        std::vector<Screen *> titled;
        for (Screen *s : visibleScreens(p.registry)) {
            if (hasTitleBar(s->description().border))
                titled.push_back(s);
        }
        Screen *s = pick(titled);
        if (!s)
            return QStringLiteral("nothing to close");
        const QString what = QStringLiteral("close %1").arg(toQString(s->name()));
        s->window()->close();
        return what;
    }

    // The text glossary and the menu strip are opened by no student action; open them now and then
    // so that their behaviour is walked too.
    QString openUnreachableScreen(Program &p)
    {
        const char *name = m_random.bounded(2) == 0 ? "Glossary" : "form22";
        p.registry.show(name);
        return QStringLiteral("open %1").arg(QLatin1String(name));
    }

    QString clickAnyRow(Program &p)
    {
        ListBoxControl *list = pick(visibleControls<ListBoxControl>(p.registry));
        return list ? clickRowIn(list) : QStringLiteral("no list");
    }

private:
    QRandomGenerator m_random;
};

// The screen model's own rules: one window per loaded screen and none for the others, Forms equal
// to the windows alive, the active screen visible.
QString modelInvariants(Program &p)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::set<QWidget *> alive;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *sw = qobject_cast<ScreenWindow *>(w))
            alive.insert(sw);
    }
    std::set<QWidget *> loaded;
    for (Screen *s : p.registry.forms()) {
        if (!s->window())
            return QStringLiteral("%1 is in Forms without a window").arg(toQString(s->name()));
        if (!loaded.insert(s->window()).second)
            return QStringLiteral("%1 is in Forms twice").arg(toQString(s->name()));
        if (s->visible() != s->window()->isVisible())
            return QStringLiteral("%1: state and window visibility differ").arg(toQString(s->name()));
    }
    if (alive != loaded)
        return QStringLiteral("%1 windows alive, %2 screens loaded").arg(alive.size()).arg(loaded.size());
    for (const auto &[name, create] : screenCatalogue()) {
        Screen *s = p.registry.existing(name);
        if (s && !s->loaded() && s->window())
            return QStringLiteral("%1 is unloaded but keeps a window").arg(toQString(name));
    }
    if (Screen *active = p.registry.activeScreen(); active && !active->visible())
        return QStringLiteral("the active screen %1 is not visible").arg(toQString(active->name()));
    return {};
}

constexpr int eventLoopEvery = 64;

quint32 walkSeed()
{
    const QByteArray env = qgetenv("QUORVEL_WALK_SEED");
    return env.isEmpty() ? 20261208u : env.toUInt();
}

int walkSteps()
{
    const QByteArray env = qgetenv("QUORVEL_WALK_STEPS");
    return env.isEmpty() ? 20000 : env.toInt();
}

} // namespace

class RandomWalkTest : public QObject
{
    Q_OBJECT

private slots:
    void studentActionsKeepEveryRule()
    {
        const quint32 seed = walkSeed();
        const int steps = walkSteps();
        Walker walker(seed);
        auto program = std::make_unique<Program>();
        int programs = 1;
        for (int i = 0; i < steps; ++i) {
            if (program->registry.ended()) {
                program.reset();
                program = std::make_unique<Program>();
                ++programs;
            }
            const QString action = walker.step(*program);
            // Now and then the event loop runs, as it does between a student's actions: window
            // system events (activation, exposure, painting) are delivered, and their queue,
            // which nothing else empties here, stays short.
            if ((i + 1) % eventLoopEvery == 0)
                QCoreApplication::processEvents();
            QString broken = modelInvariants(*program);
            if (broken.isEmpty() && !program->registry.ended())
                broken = tutorialInvariants(program->registry);
            if (broken.isEmpty() && !program->registry.ended())
                broken = practiceTestInvariants(program->registry);
            if (!broken.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, step %2 (%3): %4").arg(seed).arg(i).arg(action, broken)));
            if ((i + 1) % 100000 == 0)
                qInfo("%d steps walked", i + 1);
        }
        qInfo("walked %d steps with seed %u over %d program runs", steps, seed, programs);
    }
};

QUORVEL_TEST_MAIN(RandomWalkTest)
#include "test_random_walk.moc"
