#pragma once
// One photo of a `lumora3 photo` run: read it, decide, rewrite it (un-mirror or date stamp) and
// write the result. Safe to run for different files on several threads at once.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace lumora::phototool {

enum class PhotoOperation { Unmirror, Stamp };

struct PhotoJobOptions {
    PhotoOperation operation = PhotoOperation::Unmirror;
    bool inPlace = false;  // the output is the input itself (written only on success)
    bool dryRun = false;   // decide and report, write nothing
    bool includeTime = false;
    std::string locale;  // of the stamp's date; empty for the process default
    // The stamp's moment for every photo (--date); else each photo's own (StampDate.h).
    std::optional<std::chrono::system_clock::time_point> date;
};

enum class PhotoOutcome { Done, Skipped, Failed };

struct PhotoResult {
    PhotoOutcome outcome = PhotoOutcome::Failed;
    // Why a photo was skipped or failed, or (dry run) what would be done; without the path.
    std::string note;
};

// Rewrites `in` into `out` (the same path with --in-place). A skipped photo is copied to a
// different `out` unchanged, so an output folder holds every photo; an input is never written
// unless it is the output of an in-place run and its rewrite succeeded.
PhotoResult processPhoto(const PhotoJobOptions& options, const std::filesystem::path& in,
                         const std::filesystem::path& out);

}  // namespace lumora::phototool
