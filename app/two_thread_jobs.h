#pragma once
// Independent jobs shared by up to two threads, with progress reported on the
// calling thread: the slow picture work of the batch steps (HEIF photos in ①,
// thumbnails in ②, tiles and screen copies in ⑤). Each job's result depends
// on that job alone, so the files are the same whatever the order the jobs
// are finished in.
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>

// From this many jobs on, two threads share the work.
inline constexpr std::size_t kParallelJobs = 4;
// The longest the progress callback waits while jobs run.
inline constexpr int kProgressIntervalMs = 200;

// Does job i on the thread it was made for; false when the job failed.
using JobWorker = std::function<bool(std::size_t i)>;

// Runs jobs 0 … count - 1, each thread with a worker of its own from
// newWorker (a picture codec's handles, say). Calls progress with the number
// of jobs finished, on the calling thread, before the first job starts and at
// least every kProgressIntervalMs while jobs run. When it returns false no
// further job starts and giveUp, when given, is set, so that jobs under way
// can give up. A failed job stops the others from starting; the first failed
// one (in index order) is returned.
std::optional<std::size_t> RunOnTwoThreads(std::size_t count,
                                           const std::function<JobWorker()>& newWorker,
                                           const std::function<bool(int finished)>& progress,
                                           std::atomic<bool>* giveUp = nullptr);
