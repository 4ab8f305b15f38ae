#pragma once
// Wall-clock timing and the median of a set of samples.

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

class Stopwatch {
public:
    double ms() const { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start = Clock::now();
};

inline double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    const auto middle = samples.begin() + samples.size() / 2;
    std::nth_element(samples.begin(), middle, samples.end());
    if (samples.size() % 2 == 1)
        return *middle;
    return (*middle + *std::max_element(samples.begin(), middle)) / 2;
}

} // namespace bench
