#pragma once
// The tutorial's topics: which row of the topic list owns which panel of the tutorial screen and
// which topic page. Pure data with pure lookups, no windows.

#include <span>
#include <string_view>

namespace quorvel {

struct TopicRow {
    int listPosition;
    std::string_view rowText; // exactly as the list shows it, blanks included
    std::string_view panel;   // picture box on the tutorial screen; empty for rows that own no topic
    std::string_view page;    // topic page Form1 to Form15; empty for rows that own no topic

    constexpr bool ownsTopic() const { return !panel.empty(); }
    // Topic k sits at list position k + 1; 0 for the heading row and the empty row.
    constexpr int topicNumber() const { return ownsTopic() ? listPosition - 1 : 0; }
};

namespace TopicTable {

// All 17 rows in list order: the heading, the empty row, then topics 1 to 15.
std::span<const TopicRow> rows();

// The row at a list position, or nullptr for -1 (no selection) and positions past the list.
const TopicRow *atPosition(int listPosition);

// The row that owns this panel or page, or nullptr when no row does.
const TopicRow *byPanel(std::string_view panel);
const TopicRow *byPage(std::string_view page);

} // namespace TopicTable

} // namespace quorvel
