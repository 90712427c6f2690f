#include "platform/media/AudioPlayer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "platform/foundation/FileSystem.h"
#include "platform/media/AudioSoundLog.h"
#include "platform/runloop/RunLoop.h"

namespace {

// Sound files are small; anything larger is refused rather than read.
constexpr std::uintmax_t kMaxSoundBytes = 64u << 20;

double now() {
    return platform::RunLoop::main().now();
}

}  // namespace

std::shared_ptr<AVAudioPlayer> AVAudioPlayer::initWithData(const std::vector<std::uint8_t>& bytes,
                                                           const std::string& path,
                                                           std::string* error) {
    auto info = platform::inspectAudioFile(bytes, error);
    if (!info) return nullptr;
    return std::make_shared<AVAudioPlayer>(path, *info);
}

std::shared_ptr<AVAudioPlayer> AVAudioPlayer::initWithContentsOfFile(
    const std::filesystem::path& path, std::string* error) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || !std::filesystem::is_regular_file(path, ec)) {
        if (error != nullptr) *error = "no such file";
        return nullptr;
    }
    if (size > kMaxSoundBytes) {
        if (error != nullptr) *error = "file too large for a sound";
        return nullptr;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        if (error != nullptr) *error = "cannot be read";
        return nullptr;
    }
    return initWithData(bytes, path.string(), error);
}

std::shared_ptr<AVAudioPlayer> AVAudioPlayer::initWithContentsOfPhonePath(
    const std::string& phonePath, std::string* error) {
    auto bytes = ns::FileSystem::shared().readFile(phonePath);
    if (!bytes) {
        if (error != nullptr) *error = "no such file";
        return nullptr;
    }
    return initWithData(*bytes, phonePath, error);
}

AVAudioPlayer::AVAudioPlayer(std::string path, platform::AudioFileInfo info)
    : path_(std::move(path)), info_(std::move(info)) {}

void AVAudioPlayer::setVolume(float volume) {
    if (std::isnan(volume)) return;
    volume_ = std::clamp(volume, 0.0f, 1.0f);
}

bool AVAudioPlayer::prepareToPlay() {
    prepared_ = true;
    return true;
}

bool AVAudioPlayer::isPlaying() const {
    const double t = now();
    return started_ && t >= startTime_ && t < startTime_ + duration();
}

double AVAudioPlayer::currentTime() const {
    return isPlaying() ? now() - startTime_ : 0;
}

bool AVAudioPlayer::play() {
    if (isPlaying()) return true;
    prepared_ = true;
    started_ = true;
    startTime_ = now();
    ++plays_;
    const auto slash = path_.find_last_of('/');
    platform::SoundLog::shared().record(
        {path_, slash == std::string::npos ? path_ : path_.substr(slash + 1), startTime_, volume_});
    return true;
}

void AVAudioPlayer::stop() {
    started_ = false;
    prepared_ = false;
}
