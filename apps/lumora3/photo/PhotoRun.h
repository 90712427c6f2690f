#pragma once
// A `lumora3 photo` run over one file or a folder: the list of photos, the workers that rewrite
// them in parallel, the progress line and the summary.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "apps/lumora3/photo/PhotoJob.h"

namespace lumora::phototool {

// One photo to do: where it is read and where its result goes.
struct PhotoTask {
    std::filesystem::path in;
    std::filesystem::path out;
};

// The JPEG files (".jpg"/".jpeg", any case) of `in` in path order, each with its place under
// `out` (the same relative path; `out` = `in` for an in-place run). With `recursive` the
// subfolders too, except `out` itself when it lies inside `in`. Output subfolders are made here,
// before any worker starts. False with `error` set when `in` cannot be listed or a folder
// cannot be made.
bool listPhotoTasks(const std::filesystem::path& in, const std::filesystem::path& out,
                    bool recursive, bool makeFolders, std::vector<PhotoTask>& tasks,
                    std::string& error);

struct RunSummary {
    int done = 0;
    int skipped = 0;
    int failed = 0;
    std::vector<std::string> failures;  // "path: why", in the tasks' order
};

struct RunSettings {
    int jobs = 1;  // worker threads (at least 1)
    bool showProgress = false;
    std::FILE* messages = stderr;  // skip and failure notes, the progress line
    std::FILE* listing = stdout;   // the dry run's list
};

// Processes every task with `settings.jobs` workers. Each photo's result does not depend on the
// number of workers or on the order they finish in.
RunSummary runPhotoTasks(const std::vector<PhotoTask>& tasks, const PhotoJobOptions& options,
                         const RunSettings& settings);

// The summary as printed at the end of a run: "N done, N skipped, N failed", then one line per
// failure.
std::string describeSummary(const RunSummary& summary, bool dryRun);

}  // namespace lumora::phototool
