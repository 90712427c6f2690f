// Every fuzz target over its seed corpus and over every input a fuzzer ever found
// (fuzz/regressions/<target>/, kept after the fault was fixed): each must return normally. A
// fault that comes back aborts this program or trips the sanitizers of `make asan`.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "fuzz/FuzzTargets.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> inputsOf(std::string_view target, const char* kind) {
    std::vector<fs::path> files;
    const fs::path folder = fs::path(LUMORA_SOURCE_DIR) / "fuzz" / kind / target;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

void replay(const lumora::fuzz::Target& target, const std::vector<fs::path>& files) {
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>()};
        target.run(bytes.data(), bytes.size());
    }
}

class FuzzReplay : public ::testing::TestWithParam<lumora::fuzz::Target> {};

TEST_P(FuzzReplay, SeedsAndFoundInputsRunClean) {
    const auto seeds = inputsOf(GetParam().name, "corpus");
    EXPECT_GE(seeds.size(), 4u) << "the seed corpus is missing";
    replay(GetParam(), seeds);
    replay(GetParam(), inputsOf(GetParam().name, "regressions"));
}

INSTANTIATE_TEST_SUITE_P(EveryTarget, FuzzReplay, ::testing::ValuesIn(lumora::fuzz::kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
