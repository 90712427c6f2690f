// `lumora3 photo` over every kind of bad input: each case ends in a clear message or a sound
// photo, the input is never changed (unless an --in-place rewrite succeeded), and a folder run
// goes on past bad files, names each of them and exits 1.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "platform/media/JpegCodec.h"
#include "tests/common/SampleJpegs.h"
#include "tests/common/ScratchDir.h"
#include "tests/reliability/ChildProcess.h"

namespace fs = std::filesystem;
using lumora::test::JpegBytes;
using lumora::test::makeJpeg;

namespace {

const std::string kTool = LUMORA_BINARY_DIR "/lumora3";

JpegBytes readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const JpegBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A real PNG file's first bytes: signature and an image header chunk.
const JpegBytes kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0,    0, 0, 13,
                        'I',  'H', 'D', 'R', 0,    0,    0,    1,    0,    0, 0, 1,
                        8,    2,   0,   0,   0,    0x90, 0x77, 0x53, 0xDE, 0, 0, 0,
                        0,    'I', 'E', 'N', 'D',  0xAE, 0x42, 0x60, 0x82};

enum class Expect {
    Photo,    // exit 0 and an output JPEG of the input's size
    Message,  // exit 1, the message names the input, no output
    Kept,     // exit 0, the message says why, the output is the input unchanged
};

struct Case {
    std::string name;
    std::function<fs::path(const fs::path& folder)> make;  // the input's path
    Expect expect;
    std::string message;  // part of the message for Expect::Message
    // Where the date stamp differs: a picture it cannot stamp (CMYK, one pixel) is kept as
    // it is, saying why.
    std::optional<Expect> stampExpect = std::nullopt;
    std::string stampMessage = "";
};

fs::path file(const fs::path& folder, const std::string& name, const JpegBytes& bytes) {
    writeBytes(folder / name, bytes);
    return folder / name;
}

std::vector<Case> badInputs() {
    using namespace lumora::test;
    const JpegBytes base = makeJpeg({64, 48, 3, false, false, 90});
    return {
        {"empty file", [](auto& d) { return file(d, "empty.jpg", {}); }, Expect::Message,
         "not a JPEG file"},
        {"missing path", [](auto& d) { return d / "missing.jpg"; }, Expect::Message,
         "no such file or folder"},
        {"PNG renamed .jpg", [](auto& d) { return file(d, "png.jpg", kPng); }, Expect::Message,
         "not a JPEG file"},
        {"1x1 JPEG",
         [](auto& d) {
             return file(d, "one.jpg", makeJpeg({1, 1, 3, false, false, 90}));
         },
         Expect::Photo, "", Expect::Kept, "too small for the stamp"},
        {"progressive",
         [](auto& d) {
             return file(d, "prog.jpg", makeJpeg({64, 48, 3, true, false, 90}));
         },
         Expect::Photo, ""},
        {"arithmetic-coded",
         [](auto& d) {
             return file(d, "arith.jpg", makeJpeg({64, 48, 3, false, true, 90}));
         },
         Expect::Photo, ""},
        {"CMYK",
         [](auto& d) {
             return file(d, "cmyk.jpg", makeJpeg({64, 48, 4, false, false, 90}));
         },
         Expect::Photo, "", Expect::Kept, "a CMYK photo takes no stamp"},
        {"65535x65535 header",
         [base](auto& d) { return file(d, "huge.jpg", withClaimedSize(base, 65535, 65535)); },
         Expect::Message, "too large"},
        {"orientation 0",
         [base](auto& d) { return file(d, "tag0.jpg", withExifOrientation(base, 0)); },
         Expect::Photo, ""},
        {"orientation 9",
         [base](auto& d) { return file(d, "tag9.jpg", withExifOrientation(base, 9)); },
         Expect::Photo, ""},
        {"orientation garbage",
         [base](auto& d) { return file(d, "tagx.jpg", withGarbageOrientation(base)); },
         Expect::Photo, ""},
    };
}

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun photoTool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{kTool, "photo"};
    argv.insert(argv.end(), args.begin(), args.end());
    ToolRun run;
    run.status = lumora::test::runToEnd(argv, run.output);
    return run;
}

std::vector<std::string> operation(const std::string& name) {
    if (name == "stamp") return {"stamp", "--date", "2026-12-07T21:41:00Z"};
    return {"unmirror"};
}

class PhotoToolBadInput : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        folder_ = lumora::test::scratchDir("lumora-badinput");
        fs::create_directories(folder_ / "in");
        fs::create_directories(folder_ / "out");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

TEST_P(PhotoToolBadInput, EachFileEndsInAClearMessageOrASoundPhoto) {
    for (const Case& c : badInputs()) {
        SCOPED_TRACE(GetParam() + ": " + c.name);
        const fs::path in = c.make(folder_ / "in");
        const bool exists = fs::exists(in);
        const JpegBytes before = exists ? readBytes(in) : JpegBytes{};
        const fs::path out = folder_ / "out" / in.filename();
        auto args = operation(GetParam());
        args.insert(args.end(), {in.string(), out.string()});
        const ToolRun run = photoTool(args);
        ASSERT_LT(run.status, 128) << "the tool crashed:\n" << run.output;
        if (exists) {
            EXPECT_EQ(readBytes(in), before) << "the input changed";
        }
        const bool stamp = GetParam() == "stamp";
        const Expect expect = stamp && c.stampExpect ? *c.stampExpect : c.expect;
        if (expect == Expect::Kept) {
            EXPECT_EQ(run.status, 0) << run.output;
            EXPECT_NE(run.output.find(c.stampMessage), std::string::npos) << run.output;
            EXPECT_EQ(readBytes(out), before);
        } else if (expect == Expect::Message) {
            EXPECT_EQ(run.status, 1) << run.output;
            EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
            EXPECT_NE(run.output.find(in.filename().string()), std::string::npos) << run.output;
            EXPECT_FALSE(fs::exists(out));
        } else {
            EXPECT_EQ(run.status, 0) << run.output;
            const auto inHeader = platform::readJpegHeader(before);
            const auto outHeader = platform::readJpegHeader(readBytes(out));
            ASSERT_TRUE(inHeader && outHeader) << run.output;
            EXPECT_EQ(outHeader->width, inHeader->width);
            EXPECT_EQ(outHeader->height, inHeader->height);
        }
        // In place: a failure leaves the file exactly as it was.
        if (exists) {
            auto inPlace = operation(GetParam());
            inPlace.insert(inPlace.end(), {"--in-place", in.string()});
            const ToolRun again = photoTool(inPlace);
            ASSERT_LT(again.status, 128) << again.output;
            if (again.status != 0)
                EXPECT_EQ(readBytes(in), before) << "a failed --in-place changed it";
            else
                EXPECT_TRUE(platform::readJpegHeader(readBytes(in)));
        }
    }
}

TEST_P(PhotoToolBadInput, FolderRunGoesOnPastBadFilesNamesThemAndExits1) {
    const fs::path in = folder_ / "in";
    std::vector<std::string> bad;
    for (const Case& c : badInputs()) {
        const fs::path made = c.make(in);
        if (c.expect == Expect::Message && fs::exists(made)) bad.push_back(made.filename());
    }
    fs::create_directories(in / "folder.jpg");  // a folder with a photo's name is no photo
    const fs::path invalid = fs::path(LUMORA_SOURCE_DIR) / "tests/data/photos/invalid";
    for (const auto& entry : fs::directory_iterator(invalid))
        fs::copy_file(entry.path(), in / entry.path().filename());
    writeBytes(in / "zz-good.jpg", makeJpeg({32, 32, 3, false, false, 90}));

    auto args = operation(GetParam());
    args.insert(args.end(), {in.string(), (folder_ / "out").string()});
    const ToolRun run = photoTool(args);
    EXPECT_EQ(run.status, 1) << run.output;
    for (const auto& name : bad) EXPECT_NE(run.output.find(name), std::string::npos) << name;
    EXPECT_TRUE(platform::readJpegHeader(readBytes(folder_ / "out" / "zz-good.jpg")))
        << "the run stopped before the last, good file:\n"
        << run.output;
    for (const auto& name : bad) EXPECT_FALSE(fs::exists(folder_ / "out" / name)) << name;
}

// Every broken sample photo: a clear message naming it, or a sound photo of its size; never a
// crash, never a change to the file. The table of outcomes is printed for the record.
TEST_P(PhotoToolBadInput, EveryBrokenSamplePhotoEndsCleanly) {
    const fs::path invalid = fs::path(LUMORA_SOURCE_DIR) / "tests/data/photos/invalid";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(invalid)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_EQ(files.size(), 14u);
    for (const auto& path : files) {
        SCOPED_TRACE(path.filename().string());
        const JpegBytes before = readBytes(path);
        const fs::path out = folder_ / "out" / path.filename();
        auto args = operation(GetParam());
        args.insert(args.end(), {path.string(), out.string()});
        const ToolRun run = photoTool(args);
        ASSERT_LT(run.status, 128) << run.output;
        EXPECT_EQ(readBytes(path), before);
        if (run.status == 0) {
            const auto inHeader = platform::readJpegHeader(before);
            const auto outHeader = platform::readJpegHeader(readBytes(out));
            ASSERT_TRUE(inHeader && outHeader);
            EXPECT_EQ(outHeader->width, inHeader->width);
            EXPECT_EQ(outHeader->height, inHeader->height);
        } else {
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.output.find(path.filename().string()), std::string::npos) << run.output;
            EXPECT_FALSE(fs::exists(out));
        }
        std::string firstLine = run.output.substr(0, run.output.find('\n'));
        std::printf("| %s | %s | exit %d | %s |\n", GetParam().c_str(), path.filename().c_str(),
                    run.status, firstLine.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(BothOperations, PhotoToolBadInput, ::testing::Values("unmirror", "stamp"));

}  // namespace
