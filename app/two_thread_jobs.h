#pragma once
// Independent jobs shared by up to two threads, with progress reported on the
// calling thread: the slow picture work of the batch steps (② and ⑤). Each
// job's result depends on that job alone, so the files are the same whatever
// the order the jobs are finished in.
#include <cstddef>
#include <functional>
#include <optional>

// From this many jobs on, two threads share the work.
inline constexpr std::size_t kParallelJobs = 4;

// Does job i on the thread it was made for; false when the job failed.
using JobWorker = std::function<bool(std::size_t i)>;

// Runs jobs 0 … count - 1, each thread with a worker of its own from
// newWorker (a picture codec's handles, say). Calls progress with the number
// of jobs finished, on the calling thread, before the first job and between
// any two; when it returns false no further job starts. A failed job stops
// the others from starting; the first failed one (in index order) is returned.
std::optional<std::size_t> RunOnTwoThreads(std::size_t count,
                                           const std::function<JobWorker()>& newWorker,
                                           const std::function<bool(int finished)>& progress);
