// Sound files: header validation, players and the sound log.

#include <gtest/gtest.h>
#include "tests/common/ScratchDir.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/media/AudioPlayer.h"
#include "platform/media/AudioSoundLog.h"
#include "platform/runloop/RunLoop.h"

using platform::encodeAiffPcm16;
using platform::encodeWavPcm16;
using platform::inspectAudioFile;
using platform::SoundLog;

namespace {

std::vector<std::int16_t> tone(int frames, int channels = 1) {
    std::vector<std::int16_t> s(static_cast<std::size_t>(frames) * channels);
    for (std::size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<std::int16_t>(8000 * std::sin(static_cast<double>(i) * 0.06));
    }
    return s;
}

void putBe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

TEST(AudioFileTest, GeneratedFilesAreValidAndDescribed) {
    auto aiff = inspectAudioFile(encodeAiffPcm16(tone(2205), 1, 44100));
    ASSERT_TRUE(aiff.has_value());
    EXPECT_EQ(aiff->container, "AIFF");
    EXPECT_EQ(aiff->channels, 1);
    EXPECT_EQ(aiff->bitsPerSample, 16);
    EXPECT_DOUBLE_EQ(aiff->sampleRate, 44100);
    EXPECT_EQ(aiff->frames, 2205u);
    EXPECT_NEAR(aiff->duration(), 0.05, 1e-12);

    auto wav = inspectAudioFile(encodeWavPcm16(tone(800, 2), 2, 8000));
    ASSERT_TRUE(wav.has_value());
    EXPECT_EQ(wav->container, "WAVE");
    EXPECT_EQ(wav->channels, 2);
    EXPECT_EQ(wav->frames, 800u);
    EXPECT_DOUBLE_EQ(wav->duration(), 0.1);
}

TEST(AudioFileTest, DamagedHeadersAreRejected) {
    const auto good = encodeAiffPcm16(tone(100), 1, 22050);
    std::string why;
    auto check = [&](std::vector<std::uint8_t> bytes) {
        why.clear();
        return inspectAudioFile(bytes, &why).has_value();
    };
    ASSERT_TRUE(check(good));

    auto truncated = good;
    truncated.resize(good.size() - 10);  // sound data cut short: FORM size now exceeds the file
    EXPECT_FALSE(check(truncated));

    auto lying = good;  // COMM promises more frames than SSND holds
    putBe32(lying, 22, 5000);
    EXPECT_FALSE(check(lying));
    EXPECT_NE(why.find("fewer frames"), std::string::npos);

    auto noChannels = good;
    noChannels[20] = noChannels[21] = 0;
    EXPECT_FALSE(check(noChannels));

    auto zeroRate = good;
    std::fill(zeroRate.begin() + 28, zeroRate.begin() + 38, 0);
    EXPECT_FALSE(check(zeroRate));

    auto hugeChunk = good;  // COMM's size runs past the FORM
    putBe32(hugeChunk, 16, 0x7fffffff);
    EXPECT_FALSE(check(hugeChunk));

    auto wav = encodeWavPcm16(tone(100), 1, 8000);
    auto mp3InWav = wav;
    mp3InWav[20] = 0x55;
    EXPECT_FALSE(check(mp3InWav));
    auto badAlign = wav;
    badAlign[32] = 3;
    EXPECT_FALSE(check(badAlign));

    EXPECT_FALSE(check({}));
    EXPECT_FALSE(check(std::vector<std::uint8_t>(64, 'x')));
    const std::string jpeg = "\xff\xd8\xff\xe0 not a sound at all";
    EXPECT_FALSE(check(std::vector<std::uint8_t>(jpeg.begin(), jpeg.end())));
}

class AudioPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::RunLoop::main().reset();
        SoundLog::shared().clear();
        dir = lumora::test::scratchDir("lumora-cap-audio");
        std::filesystem::create_directories(dir);
        const auto bytes = encodeAiffPcm16(tone(2205), 1, 44100);
        std::ofstream(dir / "count.aif", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        std::ofstream(dir / "notes.txt") << "hello";
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        SoundLog::shared().clear();
        platform::RunLoop::main().reset();
    }
    std::filesystem::path dir;
};

TEST_F(AudioPlayerTest, MissingOrInvalidFilesGiveNoPlayer) {
    std::string why;
    EXPECT_EQ(AVAudioPlayer::initWithContentsOfFile(dir / "missing.aif", &why), nullptr);
    EXPECT_EQ(why, "no such file");
    EXPECT_EQ(AVAudioPlayer::initWithContentsOfFile(dir / "notes.txt"), nullptr);
    EXPECT_EQ(AVAudioPlayer::initWithContentsOfFile(dir), nullptr);  // a folder
    EXPECT_NE(AVAudioPlayer::initWithContentsOfFile(dir / "count.aif"), nullptr);
}

TEST_F(AudioPlayerTest, EachPlayIsLoggedWithItsVirtualTime) {
    auto player = AVAudioPlayer::initWithContentsOfFile(dir / "count.aif");
    ASSERT_NE(player, nullptr);
    player->setVolume(1.0f);
    EXPECT_TRUE(player->prepareToPlay());
    auto& loop = platform::RunLoop::main();
    for (int tick = 0; tick < 3; ++tick) {
        loop.runFor(1.0);
        EXPECT_TRUE(player->play());
    }
    const auto plays = SoundLog::shared().entries();
    ASSERT_EQ(plays.size(), 3u);
    EXPECT_DOUBLE_EQ(plays[0].time, 1.0);
    EXPECT_DOUBLE_EQ(plays[2].time, 3.0);
    EXPECT_EQ(plays[0].name, "count.aif");
    EXPECT_EQ(SoundLog::shared().count("count.aif"), 3u);
    EXPECT_EQ(SoundLog::shared().count("other.aif"), 0u);
}

TEST_F(AudioPlayerTest, PlayWhileStillSoundingStartsNothingNew) {
    auto player = AVAudioPlayer::initWithContentsOfFile(dir / "count.aif");
    ASSERT_NE(player, nullptr);
    player->play();
    EXPECT_TRUE(player->isPlaying());
    platform::RunLoop::main().runFor(0.02);
    EXPECT_NEAR(player->currentTime(), 0.02, 1e-12);
    player->play();  // 50 ms sound, 20 ms in
    EXPECT_EQ(SoundLog::shared().count(), 1u);
    platform::RunLoop::main().runFor(0.05);
    EXPECT_FALSE(player->isPlaying());
    player->play();
    EXPECT_EQ(SoundLog::shared().count(), 2u);
    player->stop();
    EXPECT_FALSE(player->isPlaying());
}

TEST_F(AudioPlayerTest, VolumeIsClampedAndRecorded) {
    auto player = AVAudioPlayer::initWithContentsOfFile(dir / "count.aif");
    ASSERT_NE(player, nullptr);
    player->setVolume(3.0f);
    EXPECT_EQ(player->volume(), 1.0f);
    player->setVolume(-1.0f);
    EXPECT_EQ(player->volume(), 0.0f);
    player->setVolume(NAN);
    EXPECT_EQ(player->volume(), 0.0f);
    player->setVolume(0.5f);
    player->play();
    EXPECT_FLOAT_EQ(SoundLog::shared().entries().at(0).volume, 0.5f);
}

}  // namespace
