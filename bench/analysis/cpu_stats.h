#pragma once

#include <algorithm>
#include <cmath>
#include <ctime>
#include <vector>

namespace dravik::bench {

// CPU time of this thread, in milliseconds: on a shared machine a wall clock would time other
// programs too.
inline double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The value below which `share` of the sorted, non-empty samples lie (nearest rank).
inline double Percentile(const std::vector<double>& sorted, double share) {
    const auto rank =
        static_cast<std::size_t>(std::ceil(share * static_cast<double>(sorted.size())));
    return sorted[std::min(sorted.size(), std::max<std::size_t>(rank, 1)) - 1];
}

}  // namespace dravik::bench
