#include "walk_invariants.h"
#include "window/screen_window.h"
#include "window/text.h"

#include "tutorial/topic_table.h"
#include "tutorial/vascular_function_curves_description.h"

#include <QStringList>

namespace quorvel::testing {

namespace {
// The one visible topic page, or nullptr; more than one is reported.
const TopicRow *visiblePage(const ScreenRegistry &registry, QStringList &problems)
{
    const TopicRow *shown = nullptr;
    for (const TopicRow &row : TopicTable::rows()) {
        const Screen *page = row.ownsTopic() ? registry.existing(row.page) : nullptr;
        if (!page || !page->visible())
            continue;
        if (shown)
            problems << QStringLiteral("topic pages %1 and %2 both visible")
                            .arg(toQString(shown->page), toQString(row.page));
        shown = &row;
    }
    return shown;
}

void checkUntouchedControls(const ControlProperties &w, QStringList &problems)
{
    if (!w.controlVisible("master"))
        problems << QStringLiteral("master hidden");
    for (const char *never : {"reflection1", "resistance2", "partition", "BasicAnswers1"}) {
        if (w.controlVisible(never))
            problems << QStringLiteral("%1 visible").arg(QLatin1String(never));
    }
    if (!w.text("BasicAnswers1").isEmpty())
        problems << QStringLiteral("BasicAnswers1 has a text");
    if (!w.controlVisible("Label1") || !w.caption("Label1").isEmpty())
        problems << QStringLiteral("Label1 changed");
    if (!w.controlVisible("Label3") || w.caption("Label3") != QLatin1String("Click on topic to see related text"))
        problems << QStringLiteral("Label3 changed");
    if (w.listRows("basicList1").size() != int(TopicTable::rows().size()))
        problems << QStringLiteral("the topic list has %1 rows").arg(w.listRows("basicList1").size());
}

bool describedVisible(std::string_view control)
{
    for (const ControlDescription &d : vascularFunctionCurvesDescription.controls) {
        if (d.name == control)
            return d.visible;
    }
    return false;
}

// Panels: before the first choice after a load, as described; after it, only the chosen topic's,
// and a topic page on show belongs to that topic.
void checkPanels(const ControlProperties &w, const TopicRow *page, QStringList &problems)
{
    const int selected = w.listIndex("basicList1");
    const bool beforeFirstChoice = w.controlVisible("title");
    if (beforeFirstChoice && selected != -1)
        problems << QStringLiteral("the title card is on show with row %1 selected").arg(selected);
    const TopicRow *chosen = TopicTable::atPosition(selected);
    QStringList visible;
    for (const TopicRow &row : TopicTable::rows()) {
        if (!row.ownsTopic())
            continue;
        const bool expected = beforeFirstChoice ? describedVisible(row.panel) : chosen == &row;
        if (w.controlVisible(row.panel) != expected)
            problems << QStringLiteral("panel %1 %2 with row %3 selected")
                            .arg(toQString(row.panel), expected ? "hidden" : "visible")
                            .arg(selected);
    }
    if (!beforeFirstChoice && page && page != chosen)
        problems << QStringLiteral("page %1 on show with row %2 selected").arg(toQString(page->page)).arg(selected);
}
} // namespace

QString tutorialInvariants(ScreenRegistry &registry)
{
    if (registry.ended())
        return {};
    QStringList problems;
    const TopicRow *page = visiblePage(registry, problems);
    const Screen *tutorial = registry.existing("VascularFunctionCurves");
    if (tutorial && tutorial->window()) {
        checkUntouchedControls(tutorial->window()->properties(), problems);
        checkPanels(tutorial->window()->properties(), page, problems);
    }
    return problems.join(QStringLiteral("; "));
}

} // namespace quorvel::testing
