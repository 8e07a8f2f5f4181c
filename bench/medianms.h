#pragma once

// The median wall time of a step run again and again, in milliseconds: what
// the in-process benchmarks quote, so that one slow run on a busy machine
// does not move the figure.

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double medianMs(int runs, const std::function<void()> &run)
{
    std::vector<double> ms;
    ms.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(std::move(ms));
}
