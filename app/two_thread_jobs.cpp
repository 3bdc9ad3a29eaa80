#include "app/two_thread_jobs.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

std::optional<std::size_t> RunOnTwoThreads(std::size_t count,
                                           const std::function<JobWorker()>& newWorker,
                                           const std::function<bool(int finished)>& progress,
                                           std::atomic<bool>* giveUp) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t threads = count < kParallelJobs || cores < 2 ? 1 : 2;

  // The threads start a job only when this thread lets them: it asks the
  // progress callback first, then lets each thread start one job beyond those
  // finished. So a stop holds before the first job and between any two, and
  // the callback is asked again while a long job runs.
  std::vector<char> failed(count, 0);  // one per job, each set by one thread
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0, allowed = 0, finished = 0;  // guarded by mutex
  bool stop = false;                                // likewise
  auto run = [&] {
    const JobWorker work = newWorker();
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return stop || next < allowed || next == count; });
      if (stop || next == count) return;
      const std::size_t i = next++;
      lock.unlock();
      const bool done = work(i);
      lock.lock();
      if (!done) {
        failed[i] = 1;
        stop = true;
      }
      ++finished;
      changed.notify_all();
    }
  };
  std::vector<std::thread> pool;
  for (std::size_t t = 0; t < threads; ++t) pool.emplace_back(run);
  bool goOn = true;
  std::unique_lock<std::mutex> lock(mutex);
  while (!stop && finished < count) {
    const std::size_t seen = finished;
    lock.unlock();
    goOn = progress(static_cast<int>(seen));
    lock.lock();
    if (!goOn) {
      if (giveUp) *giveUp = true;
      break;
    }
    allowed = std::min(count, seen + threads);
    changed.notify_all();
    changed.wait_for(lock, std::chrono::milliseconds(kProgressIntervalMs),
                     [&] { return stop || finished != seen; });
  }
  stop = true;  // whatever ended the loop, no further job starts
  changed.notify_all();
  lock.unlock();
  for (std::thread& t : pool) t.join();
  if (goOn && finished == count) progress(static_cast<int>(finished));
  for (std::size_t i = 0; i < count; ++i)
    if (failed[i]) return i;
  return std::nullopt;
}
