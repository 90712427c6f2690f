#include "apps/lumora3/photo/PhotoRun.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <thread>

#include "apps/lumora3/photo/Progress.h"

namespace fs = std::filesystem;

namespace lumora::phototool {

namespace {

bool isJpegName(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".jpg" || ext == ".jpeg";
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

bool listPhotoTasks(const fs::path& in, const fs::path& out, bool recursive, bool makeFolders,
                    std::vector<PhotoTask>& tasks, std::string& error) {
    std::error_code ec;
    std::vector<fs::path> files;
    auto consider = [&](const fs::directory_entry& entry) {
        std::error_code ignored;
        if (entry.is_regular_file(ignored) && isJpegName(entry.path()))
            files.push_back(entry.path());
    };
    if (recursive) {
        fs::recursive_directory_iterator it(in, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            // An output folder inside the input holds results, not photos to do.
            std::error_code ignored;
            if (it->is_directory(ignored) && in != out && sameFile(it->path(), out)) {
                it.disable_recursion_pending();
                continue;
            }
            consider(*it);
        }
    } else {
        fs::directory_iterator it(in, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) consider(*it);
    }
    if (ec) {
        error = "cannot list " + in.string() + ": " + ec.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    tasks.clear();
    tasks.reserve(files.size());
    for (const fs::path& file : files) {
        const fs::path target = out / file.lexically_relative(in);
        if (makeFolders) {
            fs::create_directories(target.parent_path(), ec);
            if (ec || !fs::is_directory(target.parent_path())) {
                error = "cannot create folder " + target.parent_path().string();
                return false;
            }
        }
        tasks.push_back({file, target});
    }
    return true;
}

RunSummary runPhotoTasks(const std::vector<PhotoTask>& tasks, const PhotoJobOptions& options,
                         const RunSettings& settings) {
    std::vector<PhotoResult> results(tasks.size());
    std::atomic<std::size_t> next{0};
    Progress progress(settings.messages, tasks.size(), settings.showProgress);
    auto work = [&] {
        for (std::size_t i = next++; i < tasks.size(); i = next++) {
            results[i] = processPhoto(options, tasks[i].in, tasks[i].out);
            const PhotoResult& r = results[i];
            if (r.outcome != PhotoOutcome::Done && !r.note.empty()) {
                progress.message("lumora3 photo: " + tasks[i].in.string() + ": " + r.note);
            }
            progress.advance();
        }
    };
    const int workers =
        std::clamp<int>(settings.jobs, 1, static_cast<int>(std::max<std::size_t>(tasks.size(), 1)));
    std::vector<std::jthread> threads;
    threads.reserve(static_cast<std::size_t>(workers - 1));
    for (int w = 1; w < workers; ++w) threads.emplace_back(work);
    work();
    threads.clear();  // joins

    RunSummary summary;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const PhotoResult& r = results[i];
        switch (r.outcome) {
            case PhotoOutcome::Done:
                ++summary.done;
                if (options.dryRun) {
                    std::fprintf(settings.listing, "%s -> %s: %s\n", tasks[i].in.c_str(),
                                 tasks[i].out.c_str(), r.note.c_str());
                }
                break;
            case PhotoOutcome::Skipped:
                ++summary.skipped;
                break;
            case PhotoOutcome::Failed:
                ++summary.failed;
                summary.failures.push_back(tasks[i].in.string() + ": " + r.note);
                break;
        }
    }
    return summary;
}

std::string describeSummary(const RunSummary& summary, bool dryRun) {
    std::string text = std::to_string(summary.done) + (dryRun ? " to do, " : " done, ") +
                       std::to_string(summary.skipped) + " skipped, " +
                       std::to_string(summary.failed) + " failed\n";
    for (const std::string& failure : summary.failures) text += "  failed: " + failure + "\n";
    return text;
}

}  // namespace lumora::phototool
