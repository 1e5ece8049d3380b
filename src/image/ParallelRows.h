#pragma once

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

// Set on threads that already share the machine with others (the thumbnail workers), so their
// transforms do not split once more.
inline thread_local bool t_singleThreaded = false;

// Runs BODY(begin, end, first) over the rows 0..COUNT-1 split among the machine's cores. The
// calling thread takes the first share (FIRST true), so only it reports progress.
template <class Body>
void ParallelRows(int count, Body&& body) {
    const int threads = t_singleThreaded ? 1 : std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    if (threads == 1 || count < 2 * threads) {
        body(0, count, true);
        return;
    }
    const int share = (count + threads - 1) / threads;
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads && t * share < count; ++t)
        helpers.emplace_back([&body, t, share, count] { body(t * share, std::min(count, (t + 1) * share), false); });
    body(0, std::min(count, share), true);
    for (std::thread& helper : helpers) helper.join();
}

// Runs BODY(i) for each item 0..COUNT-1 on the machine's cores, handing the next item to whichever
// thread is free: for items of uneven cost, like pictures of different sizes. Each thread runs
// single-threaded inside (see t_singleThreaded).
template <class Body>
void ParallelEach(int count, Body&& body) {
    const int threads = std::min(count, t_singleThreaded ? 1 : std::clamp(int(std::thread::hardware_concurrency()), 1, 8));
    std::atomic<int> next{0};
    const auto work = [&] {
        const bool wasSingle = t_singleThreaded;
        t_singleThreaded = true;
        for (int i = next++; i < count; i = next++) body(i);
        t_singleThreaded = wasSingle;
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
}
