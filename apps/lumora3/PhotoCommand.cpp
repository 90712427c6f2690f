#include "apps/lumora3/PhotoCommand.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "photo/PhotoRewrite.h"
#include "photo/StampLayout.h"
#include "platform/media/Exif.h"

namespace fs = std::filesystem;

namespace {

enum class Operation { Unmirror, Stamp };

struct PhotoOptions {
    Operation operation = Operation::Unmirror;
    std::string in;
    std::string out;
    bool inPlace = false;
    bool includeTime = false;
    std::string locale;
    std::string date;  // ISO 8601; empty for now
    std::string stampText;
};

enum class Outcome { Rewritten, Unchanged, Failed };

std::optional<platform::Bytes> readWholeFile(const fs::path& path, std::string& error) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    std::ifstream in(path, std::ios::binary);
    if (ec || !in) {
        error = "cannot read " + path.string();
        return std::nullopt;
    }
    platform::Bytes bytes(size);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        error = "cannot read " + path.string();
        return std::nullopt;
    }
    return bytes;
}

// Writes through a temporary file in the same folder and renames it over the target, so a
// failure never leaves a half-written photo (which matters most with --in-place).
bool writeWholeFile(const fs::path& path, platform::ByteSpan bytes, std::string& error) {
    const fs::path temp = path.string() + ".lumora3-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            error = "cannot write " + path.string();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        error = "cannot write " + path.string() + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

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

Outcome rewriteFile(const PhotoOptions& options, const fs::path& in, const fs::path& out) {
    std::string error;
    auto bytes = readWholeFile(in, error);
    if (!bytes) {
        std::fprintf(stderr, "lumora3 photo: %s\n", error.c_str());
        return Outcome::Failed;
    }
    if (!platform::looksLikeJpeg(*bytes)) {
        std::fprintf(stderr, "lumora3 photo: %s: not a JPEG file\n", in.c_str());
        return Outcome::Failed;
    }
    const auto header = platform::readJpegHeader(*bytes);
    if (!header) {
        std::fprintf(stderr, "lumora3 photo: %s: unreadable JPEG header (corrupt or too large)\n",
                     in.c_str());
        return Outcome::Failed;
    }
    const int tag = platform::readExifOrientation(*bytes).value_or(1);
    std::optional<platform::Bytes> result;
    if (options.operation == Operation::Unmirror) {
        result = lumora::unmirrorPhoto(*bytes, tag);
    } else if (lumora::stampLayout(tag, header->width, header->height).draws) {
        result = lumora::stampPhoto(*bytes, tag, options.stampText);
    } else {
        // Orientations 2, 4, 5 and 7 take no stamp: the photo is kept as it is.
        std::fprintf(stderr, "lumora3 photo: %s: orientation %d takes no stamp, kept unchanged\n",
                     in.c_str(), tag);
        if (sameFile(in, out)) return Outcome::Unchanged;
        if (!writeWholeFile(out, *bytes, error)) {
            std::fprintf(stderr, "lumora3 photo: %s\n", error.c_str());
            return Outcome::Failed;
        }
        return Outcome::Unchanged;
    }
    if (!result) {
        std::fprintf(stderr, "lumora3 photo: %s: corrupt or truncated JPEG data\n", in.c_str());
        return Outcome::Failed;
    }
    if (!writeWholeFile(out, *result, error)) {
        std::fprintf(stderr, "lumora3 photo: %s\n", error.c_str());
        return Outcome::Failed;
    }
    return Outcome::Rewritten;
}

int runFolder(const PhotoOptions& options, const fs::path& in, const fs::path& out) {
    std::error_code ec;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(in, ec)) {
        if (entry.is_regular_file(ec) && isJpegName(entry.path())) files.push_back(entry.path());
    }
    if (ec) {
        std::fprintf(stderr, "lumora3 photo: cannot list %s: %s\n", in.c_str(),
                     ec.message().c_str());
        return 1;
    }
    std::sort(files.begin(), files.end());
    if (!options.inPlace) {
        fs::create_directories(out, ec);
        if (ec || !fs::is_directory(out)) {
            std::fprintf(stderr, "lumora3 photo: cannot create folder %s\n", out.c_str());
            return 1;
        }
    }
    const bool progress = isatty(STDERR_FILENO) == 1;
    int rewritten = 0, unchanged = 0, failed = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (progress) {
            std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", i + 1, files.size(),
                         files[i].filename().c_str());
            std::fflush(stderr);
        }
        const fs::path target = options.inPlace ? files[i] : out / files[i].filename();
        switch (rewriteFile(options, files[i], target)) {
            case Outcome::Rewritten:
                ++rewritten;
                break;
            case Outcome::Unchanged:
                ++unchanged;
                break;
            case Outcome::Failed:
                ++failed;
                break;
        }
    }
    if (progress) std::fputs("\r\033[K", stderr);
    std::printf("%d rewritten, %d unchanged, %d failed\n", rewritten, unchanged, failed);
    return failed ? 1 : 0;
}

int runPhoto(PhotoOptions options) {
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
    if (options.operation == Operation::Stamp) {
        auto when = std::chrono::system_clock::now();
        if (!options.date.empty()) {
            auto parsed = parseIsoDate(options.date);
            if (!parsed) {
                std::fprintf(stderr, "lumora3 photo: --date %s: not an ISO 8601 date\n",
                             options.date.c_str());
                return 2;
            }
            when = *parsed;
        }
        options.stampText = lumora::timeStampText(when, {options.includeTime, options.locale, ""});
        if (options.stampText.empty()) {
            std::fputs("lumora3 photo: cannot format the date\n", stderr);
            return 1;
        }
    }
    if (fs::is_directory(in, ec)) return runFolder(options, in, out);
    if (fs::is_directory(out, ec)) {
        std::fprintf(stderr, "lumora3 photo: %s is a folder but %s is a file\n", out.c_str(),
                     in.c_str());
        return 2;
    }
    return rewriteFile(options, in, out) == Outcome::Failed ? 1 : 0;
}

void addOperation(CLI::App& photo, Operation operation, const char* name, const char* help) {
    auto options = std::make_shared<PhotoOptions>();
    options->operation = operation;
    auto* sub = photo.add_subcommand(name, help);
    sub->add_option("IN", options->in, "JPEG file, or folder of JPEG files")->required();
    sub->add_option("OUT", options->out, "Output file, or folder (created if missing)");
    sub->add_flag("--in-place", options->inPlace, "Rewrite IN itself");
    if (operation == Operation::Stamp) {
        sub->add_flag("--time", options->includeTime, "Add the short time after the date");
        sub->add_option("--locale", options->locale, "Locale of the date, e.g. fr_FR");
        sub->add_option("--date", options->date,
                        "The date to stamp, ISO 8601 (e.g. 2026-12-07T21:41); default now");
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
    addOperation(*photo, Operation::Unmirror, "unmirror",
                 "Mirror each photo left-right as seen upright (lossless where possible)");
    addOperation(*photo, Operation::Stamp, "stamp",
                 "Burn the date into the lower-left corner of each upright photo");
}
