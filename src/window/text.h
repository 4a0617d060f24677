#pragma once
// The descriptions hold their texts as UTF-8 string views; Qt shows QStrings.

#include <QString>

#include <string_view>

namespace quorvel {

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace quorvel
