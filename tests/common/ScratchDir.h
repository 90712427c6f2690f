#pragma once
// A scratch folder name unique to this test process: ctest runs test cases of one program as
// separate processes in parallel, so a fixed name would let one test delete another's files.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace lumora::test {

inline std::filesystem::path scratchDir(const std::string& name) {
    static std::atomic<int> counter{0};
    return std::filesystem::temp_directory_path() /
           (name + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
}

}  // namespace lumora::test
