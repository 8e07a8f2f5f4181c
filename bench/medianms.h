#pragma once

// The median wall time of a step run again and again, in milliseconds: what
// the in-process benchmarks quote, so that one slow run on a busy machine
// does not move the figure.

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

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
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    return n == 0 ? 0 : n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
}
