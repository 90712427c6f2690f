#pragma once
// AVAudioPlayer: a sound file that can be played. Creating one checks the file (AIFF, AIFF-C or
// WAV, AudioFile.h); a missing or invalid file gives no player (null), as initWithContentsOfURL
// gives nil. Playing records the start in the SoundLog at the current virtual time; the sound
// then lasts its duration on the virtual clock, and play() while it still sounds changes
// nothing, as on the phone. Main thread.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/media/AudioFile.h"
#include "platform/objc/NSObject.h"

class AVAudioPlayer : public NSObject {
public:
    LU_OBJC_CLASS(AVAudioPlayer)

    // A file on the host machine (a path the caller resolved).
    static std::shared_ptr<AVAudioPlayer> initWithContentsOfFile(const std::filesystem::path& path,
                                                                 std::string* error = nullptr);
    // A phone path, read through the device root (ns::FileSystem).
    static std::shared_ptr<AVAudioPlayer> initWithContentsOfPhonePath(const std::string& phonePath,
                                                                      std::string* error = nullptr);
    // Sound bytes; `path` names them in the sound log.
    static std::shared_ptr<AVAudioPlayer> initWithData(const std::vector<std::uint8_t>& bytes,
                                                       const std::string& path,
                                                       std::string* error = nullptr);

    AVAudioPlayer(std::string path, platform::AudioFileInfo info);

    const std::string& path() const { return path_; }
    double duration() const { return info_.duration(); }
    const platform::AudioFileInfo& info() const { return info_; }

    // 0 to 1; values outside are clamped, NaN is ignored.
    float volume() const { return volume_; }
    void setVolume(float volume);

    bool prepareToPlay();
    bool isPrepared() const { return prepared_; }
    // Starts the sound (true), or leaves a sound that is still playing alone (also true).
    bool play();
    void stop();
    bool isPlaying() const;
    // Seconds into the sound while playing, else 0.
    double currentTime() const;
    int playCount() const { return plays_; }

private:
    std::string path_;
    platform::AudioFileInfo info_;
    float volume_ = 1.0f;
    bool prepared_ = false;
    bool started_ = false;
    double startTime_ = 0;
    int plays_ = 0;
};
