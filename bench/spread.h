#pragma once
// The median and the range of a benchmark's samples.

#include <algorithm>
#include <vector>

namespace quorvel::bench {

struct Spread {
    double median = 0, min = 0, max = 0;
};

inline Spread spread(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

} // namespace quorvel::bench
