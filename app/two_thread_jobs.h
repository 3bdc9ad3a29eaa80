#pragma once
// Independent jobs shared by up to two threads, with progress reported on the
// calling thread: the slow picture work of the batch steps.
#include <cstddef>
#include <functional>
#include <optional>

// From this many jobs on, two threads share the work.
inline constexpr std::size_t kParallelJobs = 4;

// Runs work(0) … work(count - 1). Calls progress with the number of jobs
// finished, on the calling thread, between jobs; when it returns false no
// further job is started. A job that returns false stops the others from
// starting; the first such job (in index order) is returned.
std::optional<std::size_t> RunOnTwoThreads(std::size_t count,
                                           const std::function<bool(std::size_t)>& work,
                                           const std::function<bool(int finished)>& progress);
