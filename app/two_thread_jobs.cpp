#include "app/two_thread_jobs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

std::optional<std::size_t> RunOnTwoThreads(std::size_t count,
                                           const std::function<bool(std::size_t)>& work,
                                           const std::function<bool(int finished)>& progress) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (count < kParallelJobs || cores < 2) {
    for (std::size_t i = 0; i < count; ++i) {
      if (!progress(static_cast<int>(i))) return std::nullopt;
      if (!work(i)) return i;
    }
    progress(static_cast<int>(count));
    return std::nullopt;
  }

  std::vector<char> failed(count, 0);  // one per job, each set by one thread
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t finished = 0;  // guarded by mutex
  auto worker = [&] {
    while (!stop) {
      const std::size_t i = next++;
      if (i >= count) break;
      if (!work(i)) {
        failed[i] = 1;
        stop = true;
      }
      {
        std::lock_guard<std::mutex> lock(mutex);
        ++finished;
      }
      changed.notify_one();
    }
  };
  std::thread first(worker);
  std::thread second(worker);
  // This thread reports progress while the two work.
  bool goOn = true;
  std::unique_lock<std::mutex> lock(mutex);
  while (finished < count && !stop) {
    const std::size_t seen = finished;
    changed.wait_for(lock, std::chrono::milliseconds(50), [&] { return finished != seen; });
    const int done = static_cast<int>(finished);
    lock.unlock();
    goOn = progress(done);
    lock.lock();
    if (!goOn) {
      stop = true;
      break;
    }
  }
  lock.unlock();
  first.join();
  second.join();
  // The two may finish before this thread first looks: report the end once more.
  if (goOn && finished == count) progress(static_cast<int>(finished));
  for (std::size_t i = 0; i < count; ++i)
    if (failed[i]) return i;
  return std::nullopt;
}
