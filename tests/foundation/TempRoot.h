#pragma once
// A fresh device root under the system temporary folder for one test, removed afterwards.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "platform/foundation/FileSystem.h"

class TempRoot {
public:
    TempRoot() {
        static std::atomic<int> counter{0};
        outer_ = std::filesystem::temp_directory_path() /
                 ("lumora3-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(outer_);
        // The root sits one level down so that tests can check nothing lands beside it.
        path_ = outer_ / "root";
        ns::FileSystem::shared().setRoot(path_);
        ns::FileSystem::shared().layOutRoot();
    }
    ~TempRoot() {
        std::error_code ec;
        std::filesystem::remove_all(outer_, ec);
    }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::filesystem::path& path() const { return path_; }
    const std::filesystem::path& outer() const { return outer_; }

private:
    std::filesystem::path outer_, path_;
};
