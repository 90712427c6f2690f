#include "apps/lumora3/PhotoCommand.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "apps/lumora3/photo/LargeBufferHeap.h"
#include "apps/lumora3/photo/PhotoJob.h"
#include "apps/lumora3/photo/PhotoRun.h"

namespace fs = std::filesystem;

namespace {

namespace pt = lumora::phototool;

struct PhotoOptions {
    pt::PhotoOperation operation = pt::PhotoOperation::Unmirror;
    std::string in;
    std::string out;
    bool inPlace = false;
    bool dryRun = false;
    bool recursive = false;
    int jobs = 0;  // 0: one per core
    bool includeTime = false;
    std::string locale;
    std::string date;  // ISO 8601; empty: each photo's own capture time
};

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

// Parses "YYYY-MM-DD", optionally followed by "THH:MM[:SS]" and "Z" or "+HH:MM" / "-HH:MM".
// Without a zone the time is local.
std::optional<std::chrono::system_clock::time_point> parseIsoDate(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%n", &y, &mo, &d, &consumed) != 3) return {};
    std::string rest = text.substr(static_cast<std::size_t>(consumed));
    if (!rest.empty() && (rest[0] == 'T' || rest[0] == ' ')) {
        int n = 0;
        if (std::sscanf(rest.c_str() + 1, "%2d:%2d%n", &h, &mi, &n) != 2) return {};
        std::size_t pos = 1 + static_cast<std::size_t>(n);
        if (pos < rest.size() && rest[pos] == ':') {
            int m = 0;
            if (std::sscanf(rest.c_str() + pos + 1, "%2d%n", &s, &m) != 1) return {};
            pos += 1 + static_cast<std::size_t>(m);
        }
        rest = rest.substr(pos);
    }
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60 || h < 0 || mi < 0 ||
        s < 0) {
        return {};
    }
    using namespace std::chrono;
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(mo)},
                             day{static_cast<unsigned>(d)}};
    if (!ymd.ok()) return {};
    const auto wall = sys_days{ymd} + hours{h} + minutes{mi} + seconds{s};
    if (rest.empty()) {
        std::tm tm{};
        tm.tm_year = y - 1900;
        tm.tm_mon = mo - 1;
        tm.tm_mday = d;
        tm.tm_hour = h;
        tm.tm_min = mi;
        tm.tm_sec = s;
        tm.tm_isdst = -1;
        const std::time_t t = std::mktime(&tm);
        if (t == static_cast<std::time_t>(-1)) return {};
        return system_clock::from_time_t(t);
    }
    if (rest == "Z") return time_point_cast<system_clock::duration>(wall);
    int oh = 0, om = 0;
    char sign = 0;
    if (std::sscanf(rest.c_str(), "%c%2d:%2d", &sign, &oh, &om) != 3 ||
        (sign != '+' && sign != '-'))
        return {};
    const auto offset = hours{oh} + minutes{om};
    return time_point_cast<system_clock::duration>(sign == '+' ? wall - offset : wall + offset);
}

int jobsFor(const PhotoOptions& options) {
    return options.jobs > 0 ? options.jobs
                            : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

// Room for one photo's buffers: a 12 MP photo's file, scan data and result, with slack.
constexpr std::size_t kHeapForAPhoto = 32u << 20;

int runPhoto(const PhotoOptions& options) {
    const fs::path in = options.in;
    if (options.inPlace && !options.out.empty()) {
        std::fputs("lumora3 photo: give either OUT or --in-place, not both\n", stderr);
        return 2;
    }
    if (!options.inPlace && options.out.empty()) {
        std::fputs("lumora3 photo: OUT is required (or --in-place to rewrite IN)\n", stderr);
        return 2;
    }
    const fs::path out = options.inPlace ? in : fs::path(options.out);
    std::error_code ec;
    if (!fs::exists(in, ec)) {
        std::fprintf(stderr, "lumora3 photo: %s: no such file or folder\n", in.c_str());
        return 1;
    }
    if (!options.inPlace && sameFile(in, out)) {
        std::fprintf(stderr, "lumora3 photo: %s is the input; use --in-place to rewrite it\n",
                     out.c_str());
        return 2;
    }
    pt::PhotoJobOptions job;
    job.operation = options.operation;
    pt::keepLargeBuffersOnHeap(kHeapForAPhoto);
    job.inPlace = options.inPlace;
    job.dryRun = options.dryRun;
    job.includeTime = options.includeTime;
    job.locale = options.locale;
    if (options.operation == pt::PhotoOperation::Stamp && !options.date.empty()) {
        job.date = parseIsoDate(options.date);
        if (!job.date) {
            std::fprintf(stderr, "lumora3 photo: --date %s: not an ISO 8601 date\n",
                         options.date.c_str());
            return 2;
        }
    }

    if (!fs::is_directory(in, ec)) {
        if (fs::is_directory(out, ec)) {
            std::fprintf(stderr, "lumora3 photo: %s is a folder but %s is a file\n", out.c_str(),
                         in.c_str());
            return 2;
        }
        const pt::PhotoResult r = pt::processPhoto(job, in, out);
        if (!r.note.empty()) {
            std::fprintf(r.outcome == pt::PhotoOutcome::Done ? stdout : stderr,
                         "lumora3 photo: %s: %s\n", in.c_str(), r.note.c_str());
        }
        return r.outcome == pt::PhotoOutcome::Failed ? 1 : 0;
    }

    if (!options.inPlace && !options.dryRun) {
        fs::create_directories(out, ec);
        if (ec || !fs::is_directory(out)) {
            std::fprintf(stderr, "lumora3 photo: cannot create folder %s\n", out.c_str());
            return 1;
        }
    }
    std::vector<pt::PhotoTask> tasks;
    std::string error;
    if (!pt::listPhotoTasks(in, out, options.recursive, !options.inPlace && !options.dryRun, tasks,
                            error)) {
        std::fprintf(stderr, "lumora3 photo: %s\n", error.c_str());
        return 1;
    }
    pt::RunSettings settings;
    settings.jobs = jobsFor(options);
    settings.showProgress = isatty(STDERR_FILENO) == 1;
    const pt::RunSummary summary = pt::runPhotoTasks(tasks, job, settings);
    std::fputs(pt::describeSummary(summary, options.dryRun).c_str(), stdout);
    return summary.failed ? 1 : 0;
}

void addOperation(CLI::App& photo, pt::PhotoOperation operation, const char* name,
                  const char* help) {
    auto options = std::make_shared<PhotoOptions>();
    options->operation = operation;
    auto* sub = photo.add_subcommand(name, help);
    sub->add_option("IN", options->in, "JPEG file, or folder of JPEG files")->required();
    sub->add_option("OUT", options->out, "Output file, or folder (created if missing)");
    sub->add_flag("--in-place", options->inPlace,
                  "Rewrite IN itself (each file replaced in one step, only when rewritten)");
    sub->add_flag("--dry-run", options->dryRun, "List what would change; write nothing");
    sub->add_flag("-r,--recursive", options->recursive, "Also the photos of IN's subfolders");
    sub->add_option("-j,--jobs", options->jobs, "Photos rewritten at once (default: one per core)")
        ->check(CLI::PositiveNumber);
    if (operation == pt::PhotoOperation::Stamp) {
        sub->add_flag("--time", options->includeTime, "Add the short time after the date");
        sub->add_option("--locale", options->locale, "Locale of the date, e.g. fr_FR");
        sub->add_option("--date", options->date,
                        "The date to stamp on every photo, ISO 8601 (e.g. 2026-12-07T21:41); "
                        "default: each photo's EXIF capture time, else its file time");
    }
    sub->callback([options] {
        const int code = runPhoto(*options);
        if (code != 0) throw CLI::RuntimeError(code);
    });
}

}  // namespace

void addPhotoCommand(CLI::App& app) {
    auto* photo = app.add_subcommand("photo", "Rewrite JPEG photos as the add-on does");
    photo->require_subcommand(1);
    addOperation(*photo, pt::PhotoOperation::Unmirror, "unmirror",
                 "Mirror each photo left-right as seen upright (lossless where possible)");
    addOperation(*photo, pt::PhotoOperation::Stamp, "stamp",
                 "Burn the date into the lower-left corner of each upright photo");
}
