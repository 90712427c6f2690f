// `lumora3 photo` over a folder: a bad file among good ones, the summary's counts, kept file
// times, the dry run, the same results with any number of workers, and the date each stamp shows
// (the photo's EXIF capture time, else its file time).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "apps/lumora3/photo/PhotoRun.h"
#include "apps/lumora3/photo/Progress.h"
#include "photo/PhotoRewrite.h"
#include "platform/media/Exif.h"
#include "platform/media/ExifDate.h"
#include "tests/common/ScratchDir.h"

namespace fs = std::filesystem;
namespace pt = lumora::phototool;

namespace {

const fs::path kPhotos = fs::path(LUMORA_SOURCE_DIR) / "tests" / "data" / "photos";

platform::Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const platform::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

timespec modifiedTime(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mtim;
}

void setModifiedTime(const fs::path& path, std::time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 250'000'000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Local noon of a day, so the file's date is the same in any zone the test runs in.
std::time_t localNoon(int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

// What a stamp with `text` makes of `photo` (the rewrite itself is tested elsewhere).
platform::Bytes stamped(const platform::Bytes& photo, const std::string& text) {
    const int tag = platform::readExifOrientation(photo).value_or(1);
    auto out = lumora::stampPhoto(photo, tag, text);
    EXPECT_TRUE(out) << text;
    return out.value_or(platform::Bytes{});
}

class PhotoFolderRun : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = lumora::test::scratchDir("lumora-photo-run");
        in_ = root_ / "DCIM";
        fs::create_directories(in_ / "sub");
        // Taken 2015-04-10 20:12:23 two hours east of UTC.
        exifPhoto_ =
            platform::writeExifCaptureTime(readFile(kPhotos / "orientation" / "landscape_1.jpg"),
                                           "2015:04:10 20:12:23", std::string("+02:00"))
                .value();
        writeFile(in_ / "a_exif.jpg", exifPhoto_);
        // No EXIF date: the file's time counts.
        plainPhoto_ = readFile(kPhotos / "orientation" / "portrait_6.jpg");
        writeFile(in_ / "b_filetime.JPG", plainPhoto_);
        setModifiedTime(in_ / "b_filetime.JPG", localNoon(2021, 3, 4));
        // Orientation 2 takes no stamp.
        writeFile(in_ / "c_mirrored.jpg", readFile(kPhotos / "orientation" / "landscape_2.jpg"));
        // Not a photo, then a cut-off one.
        writeFile(in_ / "d_text.jpg", platform::Bytes{'h', 'e', 'l', 'l', 'o'});
        auto cut = exifPhoto_;
        cut.resize(cut.size() / 2);
        writeFile(in_ / "e_truncated.jpeg", cut);
        writeFile(in_ / "notes.txt", platform::Bytes{'x'});
        writeFile(in_ / "sub" / "f_sub.jpg", exifPhoto_);
        setModifiedTime(in_ / "a_exif.jpg", localNoon(2022, 1, 2));
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    // Runs over `in_` into `out` and returns the summary; listing and messages are kept.
    pt::RunSummary run(const pt::PhotoJobOptions& options, const fs::path& out, int jobs,
                       bool recursive = false) {
        std::vector<pt::PhotoTask> tasks;
        std::string error;
        const bool write = !options.inPlace && !options.dryRun;
        if (write) fs::create_directories(out);
        EXPECT_TRUE(pt::listPhotoTasks(in_, out, recursive, write, tasks, error)) << error;
        std::FILE* listing = std::tmpfile();
        std::FILE* messages = std::tmpfile();
        pt::RunSettings settings;
        settings.jobs = jobs;
        settings.listing = listing;
        settings.messages = messages;
        const pt::RunSummary summary = pt::runPhotoTasks(tasks, options, settings);
        listing_ = contents(listing);
        messages_ = contents(messages);
        return summary;
    }

    static std::string contents(std::FILE* f) {
        std::string text;
        std::rewind(f);
        for (int c; (c = std::fgetc(f)) != EOF;) text.push_back(static_cast<char>(c));
        std::fclose(f);
        return text;
    }

    static pt::PhotoJobOptions stampOptions() {
        pt::PhotoJobOptions options;
        options.operation = pt::PhotoOperation::Stamp;
        options.locale = "en_US";
        return options;
    }

    std::map<std::string, platform::Bytes> inputs() const {
        std::map<std::string, platform::Bytes> files;
        for (const auto& e : fs::recursive_directory_iterator(in_)) {
            if (e.is_regular_file())
                files[e.path().lexically_relative(in_).string()] = readFile(e.path());
        }
        return files;
    }

    fs::path root_, in_;
    platform::Bytes exifPhoto_, plainPhoto_;
    std::string listing_, messages_;
};

}  // namespace

TEST_F(PhotoFolderRun, StampsEachPhotoWithItsOwnDateAndGoesOnPastBadFiles) {
    const auto before = inputs();
    pt::PhotoJobOptions options = stampOptions();
    options.includeTime = true;
    const fs::path out = root_ / "out";
    const pt::RunSummary summary = run(options, out, 3);

    EXPECT_EQ(summary.done, 2);
    EXPECT_EQ(summary.skipped, 1);
    EXPECT_EQ(summary.failed, 2);
    ASSERT_EQ(summary.failures.size(), 2u);
    EXPECT_NE(summary.failures[0].find("d_text.jpg: not a JPEG"), std::string::npos);
    EXPECT_NE(summary.failures[1].find("e_truncated.jpeg"), std::string::npos);
    EXPECT_EQ(pt::describeSummary(summary, false).substr(0, 30), "2 done, 1 skipped, 2 failed\n  ");
    EXPECT_NE(messages_.find("c_mirrored.jpg: orientation 2 takes no stamp"), std::string::npos);

    // The EXIF capture time as the camera's clock read it (its offset applied both ways), and
    // the file time of the photo that has no EXIF date.
    EXPECT_EQ(readFile(out / "a_exif.jpg"), stamped(exifPhoto_, "4/10/15, 8:12 PM"));
    const std::string fileDay = "3/4/21, 12:00 PM";
    EXPECT_EQ(readFile(out / "b_filetime.JPG"), stamped(plainPhoto_, fileDay));
    EXPECT_EQ(readFile(out / "c_mirrored.jpg"), before.at("c_mirrored.jpg"));
    EXPECT_FALSE(fs::exists(out / "d_text.jpg"));
    EXPECT_FALSE(fs::exists(out / "e_truncated.jpeg"));
    EXPECT_FALSE(fs::exists(out / "sub")) << "subfolders only with --recursive";

    // Outputs keep their inputs' modification times; inputs are untouched.
    for (const char* name : {"a_exif.jpg", "b_filetime.JPG", "c_mirrored.jpg"}) {
        const timespec a = modifiedTime(in_ / name), b = modifiedTime(out / name);
        EXPECT_EQ(a.tv_sec, b.tv_sec) << name;
        EXPECT_EQ(a.tv_nsec, b.tv_nsec) << name;
    }
    EXPECT_EQ(inputs(), before);
    for (const auto& e : fs::directory_iterator(out)) {
        EXPECT_EQ(e.path().filename().string().find(".lumora3-"), std::string::npos)
            << "temporary file left: " << e.path();
    }
}

TEST_F(PhotoFolderRun, AnyNumberOfWorkersGivesTheSameFilesAsOne) {
    for (pt::PhotoOperation op : {pt::PhotoOperation::Unmirror, pt::PhotoOperation::Stamp}) {
        pt::PhotoJobOptions options = stampOptions();
        options.operation = op;
        const pt::RunSummary one = run(options, root_ / "one", 1, true);
        const pt::RunSummary four = run(options, root_ / "four", 4, true);
        EXPECT_EQ(one.done, op == pt::PhotoOperation::Unmirror ? 4 : 3);
        EXPECT_EQ(four.done, one.done);
        EXPECT_EQ(four.skipped, one.skipped);
        EXPECT_EQ(four.failures, one.failures);
        int compared = 0;
        for (const auto& e : fs::recursive_directory_iterator(root_ / "one")) {
            if (!e.is_regular_file()) continue;
            const fs::path rel = e.path().lexically_relative(root_ / "one");
            EXPECT_EQ(readFile(e.path()), readFile(root_ / "four" / rel)) << rel;
            ++compared;
        }
        EXPECT_EQ(compared, one.done + one.skipped);
        EXPECT_TRUE(fs::exists(root_ / "four" / "sub" / "f_sub.jpg"));
        fs::remove_all(root_ / "one");
        fs::remove_all(root_ / "four");
    }
}

TEST_F(PhotoFolderRun, DryRunListsWhatWouldChangeAndWritesNothing) {
    const auto before = inputs();
    pt::PhotoJobOptions options = stampOptions();
    options.dryRun = true;
    const pt::RunSummary summary = run(options, root_ / "out", 2);
    // Only headers are read: the cut-off photo still looks sound.
    EXPECT_EQ(summary.done, 3);
    EXPECT_EQ(summary.skipped, 1);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_FALSE(fs::exists(root_ / "out"));
    EXPECT_EQ(inputs(), before);
    EXPECT_NE(listing_.find("a_exif.jpg: would stamp \"4/10/15\""), std::string::npos) << listing_;
    EXPECT_NE(listing_.find("b_filetime.JPG: would stamp \"3/4/21\""), std::string::npos);
    EXPECT_EQ(listing_.find("c_mirrored"), std::string::npos);
    EXPECT_EQ(pt::describeSummary(summary, true).substr(0, 28), "3 to do, 1 skipped, 1 failed");
}

TEST_F(PhotoFolderRun, InPlaceRewritesOnlyWhatSucceedsAndKeepsTimes) {
    const auto before = inputs();
    const timespec mtime = modifiedTime(in_ / "a_exif.jpg");
    pt::PhotoJobOptions options;  // un-mirror
    options.inPlace = true;
    const pt::RunSummary summary = run(options, in_, 2);
    EXPECT_EQ(summary.done, 3);
    EXPECT_EQ(summary.failed, 2);
    const auto after = inputs();
    EXPECT_NE(after.at("a_exif.jpg"), before.at("a_exif.jpg"));
    EXPECT_EQ(after.at("a_exif.jpg"), lumora::unmirrorPhoto(exifPhoto_, 1).value());
    EXPECT_EQ(after.at("d_text.jpg"), before.at("d_text.jpg"));
    EXPECT_EQ(after.at("e_truncated.jpeg"), before.at("e_truncated.jpeg"));
    EXPECT_EQ(after.size(), before.size()) << "no temporary file may stay behind";
    EXPECT_EQ(modifiedTime(in_ / "a_exif.jpg").tv_sec, mtime.tv_sec);
}

TEST_F(PhotoFolderRun, PhotoWithNoDateIsSkippedUnlessADateIsGiven) {
    setModifiedTime(in_ / "b_filetime.JPG", 0);
    const pt::RunSummary summary = run(stampOptions(), root_ / "out", 1);
    EXPECT_EQ(summary.skipped, 2);
    EXPECT_NE(messages_.find("b_filetime.JPG: no capture time"), std::string::npos) << messages_;
    EXPECT_EQ(readFile(root_ / "out" / "b_filetime.JPG"), plainPhoto_);

    pt::PhotoJobOptions options = stampOptions();
    options.date = std::chrono::system_clock::from_time_t(localNoon(2026, 12, 7));
    const pt::RunSummary given = run(options, root_ / "given", 2);
    EXPECT_EQ(given.done, 2);
    EXPECT_EQ(readFile(root_ / "given" / "b_filetime.JPG"), stamped(plainPhoto_, "12/7/26"));
    EXPECT_EQ(readFile(root_ / "given" / "a_exif.jpg"), stamped(exifPhoto_, "12/7/26"));
}

// EXIF date values as cameras write them, good and bad.
TEST(ExifCaptureTime, ParsesTheCamerasClockAndOffset) {
    using namespace std::chrono;
    EXPECT_EQ(platform::parseExifDateTime("2015:04:10 20:12:23"),
              sys_days{year{2015} / 4 / 10} + hours{20} + minutes{12} + seconds{23});
    for (const char* bad : {"0000:00:00 00:00:00", "2015:02:30 10:00:00", "2015-04-10 20:12:23",
                            "2015:04:10 24:00:00", "2015:04:10", "    :  :     :  :  "}) {
        EXPECT_FALSE(platform::parseExifDateTime(bad)) << bad;
    }
    const std::map<std::string, std::optional<int>> offsets{
        {"+02:00", 120},         {"-05:30", -330},         {"Z", 0},
        {"+2:00", std::nullopt}, {"+15:00", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, minutes] : offsets)
        EXPECT_EQ(platform::parseExifOffset(text), minutes) << text;

    const auto real =
        platform::readExifCaptureTime(readFile(kPhotos / "real" / "iphone_hdr_NO.jpg"));
    ASSERT_TRUE(real);
    EXPECT_EQ(real->wallClock,
              sys_days{year{2015} / 4 / 10} + hours{20} + minutes{12} + seconds{23});
    for (const auto& e : fs::directory_iterator(kPhotos / "invalid")) {
        (void)platform::readExifCaptureTime(readFile(e.path()));  // must not crash
    }
}

TEST_F(PhotoFolderRun, RecursiveListingLeavesOutAnOutputFolderInsideTheInput) {
    const fs::path out = in_ / "stamped";
    fs::create_directories(out / "old");
    writeFile(out / "old" / "earlier_result.jpg", exifPhoto_);
    std::vector<pt::PhotoTask> tasks;
    std::string error;
    ASSERT_TRUE(pt::listPhotoTasks(in_, out, true, true, tasks, error)) << error;
    std::vector<std::string> listed;
    for (const auto& t : tasks) {
        listed.push_back(t.in.lexically_relative(in_).string() + " -> " +
                         t.out.lexically_relative(in_).string());
    }
    const std::vector<std::string> expected{
        "a_exif.jpg -> stamped/a_exif.jpg",
        "b_filetime.JPG -> stamped/b_filetime.JPG",
        "c_mirrored.jpg -> stamped/c_mirrored.jpg",
        "d_text.jpg -> stamped/d_text.jpg",
        "e_truncated.jpeg -> stamped/e_truncated.jpeg",
        "sub/f_sub.jpg -> stamped/sub/f_sub.jpg",
    };
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(fs::is_directory(out / "sub"));
}

TEST(PhotoProgress, LineShowsCountRateAndTimeLeft) {
    using s = std::chrono::duration<double>;
    const std::vector<std::pair<std::string, std::string>> table{
        {pt::Progress::line(0, 500, s(0)), "[........................] 0/500 photos"},
        {pt::Progress::line(50, 500, s(10)),
         "[##......................] 50/500 photos  5.0/s  1:30 left"},
        {pt::Progress::line(250, 500, s(20)),
         "[############............] 250/500 photos  12.5/s  0:20 left"},
        {pt::Progress::line(10, 5000, s(36)),
         "[........................] 10/5000 photos  0.3/s  4:59:24 left"},
        {pt::Progress::line(500, 500, s(40)),
         "[########################] 500/500 photos  12.5/s  0:00 left"},
        {pt::Progress::line(0, 0, s(1)), "[########################] 0/0 photos"},
    };
    for (const auto& [got, want] : table) EXPECT_EQ(got, want);
}

TEST(ExifCaptureTime, WrittenDateReadsBackAndLeavesTheOrientationTag) {
    const auto tagged = readFile(kPhotos / "orientation" / "portrait_6.jpg");
    ASSERT_EQ(platform::readExifOrientation(tagged), 6);
    const auto dated = platform::writeExifCaptureTime(tagged, "2020:02:29 23:59:59");
    ASSERT_TRUE(dated);
    EXPECT_EQ(platform::readExifOrientation(*dated), 6);
    const auto time = platform::readExifCaptureTime(*dated);
    ASSERT_TRUE(time);
    using namespace std::chrono;
    EXPECT_EQ(time->wallClock,
              sys_days{year{2020} / 2 / 29} + hours{23} + minutes{59} + seconds{59});
    EXPECT_FALSE(time->offsetMinutes);
    EXPECT_TRUE(platform::readJpegHeader(*dated)) << "still a sound JPEG";

    // A file with no EXIF block gets one, after its JFIF header; bad values are refused.
    std::vector<std::uint8_t> grey(32 * 16 * 4, 128);
    const auto plain =
        platform::encodeJpeg(grey.data(), 32, 16, 32 * 4, 90, platform::JpegSubsampling::S420);
    ASSERT_TRUE(plain);
    ASSERT_FALSE(platform::findExifSegment(*plain));
    const auto withExif = platform::writeExifCaptureTime(*plain, "1999:12:31 08:00:00", "-08:00");
    ASSERT_TRUE(withExif);
    const auto read = platform::readExifCaptureTime(*withExif);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->wallClock, sys_days{year{1999} / 12 / 31} + hours{8});
    EXPECT_EQ(read->offsetMinutes, -480);
    EXPECT_EQ(platform::decodeJpeg(*withExif)->width, 32);
    EXPECT_FALSE(platform::writeExifCaptureTime(tagged, "2020:02:30 00:00:00"));
    EXPECT_FALSE(platform::writeExifCaptureTime(tagged, "2020:02:29 00:00:00", "0200"));
    EXPECT_FALSE(platform::writeExifCaptureTime(platform::Bytes{1, 2, 3}, "2020:02:29 00:00:00"));
}
