#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Work on items 0..COUNT-1 done on the machine's cores in any order and taken in item order by
// one consumer, which may wait for each a little at a time (to keep a window painting). At most
// AHEAD items beyond the last one taken are worked on or kept, so results that are large (whole
// pictures) never pile up.
template <class Result>
class OrderedPool {
public:
    OrderedPool(std::size_t count, std::function<Result(std::size_t)> work, std::size_t ahead = SIZE_MAX)
        : m_work(std::move(work)), m_results(count), m_ahead(std::max<std::size_t>(ahead, 1)) {
        const std::size_t threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
        for (std::size_t t = 0; t < std::min(threads, count); ++t) m_workers.emplace_back([this] { Work(); });
    }
    ~OrderedPool() {
        Stop();
        for (std::thread& worker : m_workers) worker.join();
    }
    OrderedPool(const OrderedPool&) = delete;
    OrderedPool& operator=(const OrderedPool&) = delete;

    // The result of item I, taken out of the pool once it is there, waiting at most MS
    // milliseconds; items are taken in order.
    std::optional<Result> Take(std::size_t i, int ms) {
        std::unique_lock lock(m_mutex);
        m_done.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_results[i].has_value(); });
        if (!m_results[i]) return std::nullopt;
        std::optional<Result> result = std::move(m_results[i]);
        m_results[i].reset();
        m_taken = i + 1;
        lock.unlock();
        m_room.notify_all();
        return result;
    }
    // Items not yet begun are left alone; those under way finish.
    void Stop() {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_room.notify_all();
    }

private:
    void Work() {
        for (;;) {
            std::size_t i;
            {
                std::unique_lock lock(m_mutex);
                m_room.wait(lock, [&] { return m_stop || m_next >= m_results.size() || m_next - m_taken < m_ahead; });
                if (m_stop || m_next >= m_results.size()) return;
                i = m_next++;
            }
            Result result = m_work(i);
            {
                std::lock_guard lock(m_mutex);
                m_results[i] = std::move(result);
            }
            m_done.notify_all();
        }
    }

    std::function<Result(std::size_t)> m_work;
    std::vector<std::optional<Result>> m_results;
    std::size_t m_ahead;
    std::size_t m_next = 0;
    std::size_t m_taken = 0;
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::condition_variable m_room;
    std::vector<std::thread> m_workers;
};
