#pragma once
// What the simulated phone's speaker played: one entry per started sound, with the virtual time.
// Tests and scenarios count ticks here. Device-wide (it survives an app relaunch); clear() it
// between tests.

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct SoundPlay {
    std::string path;  // as the player was created with
    std::string name;  // the file name ("count.aif")
    double time = 0;   // virtual seconds
    float volume = 1;
};

class SoundLog {
public:
    static SoundLog& shared();
    SoundLog(const SoundLog&) = delete;
    SoundLog& operator=(const SoundLog&) = delete;

    void record(SoundPlay play);
    std::vector<SoundPlay> entries() const;
    std::size_t count() const;
    // Plays of the file with this name.
    std::size_t count(std::string_view name) const;
    void clear();

private:
    SoundLog() = default;
    mutable std::mutex mutex_;
    std::vector<SoundPlay> plays_;
};

}  // namespace platform
