#include "practice_test/answer_key.h"

#include "practice_test/answer_key_entries.h"

namespace quorvel::answer_key {

std::span<const AnswerKeyEntry> entries()
{
    return table;
}

const AnswerKeyEntry *find(std::int16_t cursor)
{
    for (const AnswerKeyEntry &entry : table) {
        if (entry.cursor == cursor)
            return &entry;
    }
    return nullptr;
}

} // namespace quorvel::answer_key
