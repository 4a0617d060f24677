#include "tutorial/topic_table.h"

namespace quorvel::TopicTable {

namespace {
// Row texts keep every blank: topics 1 to 9 have three blanks after the number, 10 to 15 one,
// and topic 2 ends in a blank.
constexpr TopicRow table[] = {
    {0, "  BASIC BLOOD FLOW TOPICS  ", "", ""},
    {1, "", "", ""},
    {2, " 1.   Blood flow and velocity", "flow1", "Form1"},
    {3, " 2.   Basic blood pressures ", "pressure1", "Form2"},
    {4, " 3.   Resistance of a blood vessel", "resistance1", "Form3"},
    {5, " 4.   Resistance as a general concept", "resistance2b", "Form4"},
    {6, " 5.   Total Peripheral Resistance", "resistance3", "Form5"},
    {7, " 6.   Resistance Calculation", "resistance4", "Form6"},
    {8, " 7.   Laminar vs. Turbulent flow", "turbulence1", "Form7"},
    {9, " 8.   Cardiac and Artery Stenoses", "stenoses", "Form8"},
    {10, " 9.   Wall shear stress", "stress", "Form9"},
    {11, " 10. Resistance Partioning", "partitionb", "Form10"},
    {12, " 11. Pulsatile pressure and flow", "pulse1", "Form11"},
    {13, " 12. Reflection of pulses in arteries 1", "reflection1b", "Form12"},
    {14, " 13. Reflection of pulses in arteries 2", "reflection2", "Form13"},
    {15, " 14. Reflection Examples", "reflection3", "Form14"},
    {16, " 15. Pressure and flow in veins", "vein1", "Form15"},
};

template <class Match> const TopicRow *findRow(Match match)
{
    for (const TopicRow &row : table) {
        if (row.ownsTopic() && match(row))
            return &row;
    }
    return nullptr;
}
} // namespace

std::span<const TopicRow> rows()
{
    return table;
}

const TopicRow *atPosition(int listPosition)
{
    if (listPosition < 0 || listPosition >= int(std::size(table)))
        return nullptr;
    return &table[listPosition];
}

const TopicRow *byPanel(std::string_view panel)
{
    return findRow([panel](const TopicRow &row) { return row.panel == panel; });
}

const TopicRow *byPage(std::string_view page)
{
    return findRow([page](const TopicRow &row) { return row.page == page; });
}

} // namespace quorvel::TopicTable
