// The found tone's player on a recording sound device: what reaches the device, and
// that the window's thread never waits for it, also when no device opens.
#include "sound_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Played {
    SoundFormat format;
    std::vector<uint8_t> samples;
};

// Records every tone; holds each one until released when asked to, and answers
// "no device" when told so.
struct Recorder {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Played> played;
    bool hold = false;
    bool noDevice = false;
    int playing = 0;
    int mostAtOnce = 0;

    bool WaitForTones(size_t count, std::chrono::milliseconds limit = 5000ms)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, limit, [&] { return played.size() >= count; });
    }
    void Release()
    {
        {
            std::lock_guard lock(mutex);
            hold = false;
        }
        changed.notify_all();
    }
};

class RecordingDevice : public SoundDevice {
public:
    explicit RecordingDevice(Recorder& recorder) : r_(recorder) {}
    bool Play(const SoundFormat& format, const std::vector<uint8_t>& samples) override
    {
        std::unique_lock lock(r_.mutex);
        r_.mostAtOnce = std::max(r_.mostAtOnce, ++r_.playing);
        r_.played.push_back({format, samples});
        r_.changed.notify_all();
        r_.changed.wait(lock, [&] { return !r_.hold; });
        --r_.playing;
        return !r_.noDevice;
    }

private:
    Recorder& r_;
};

std::unique_ptr<SoundPlayer> PlayerOn(Recorder& recorder)
{
    return std::make_unique<SoundPlayer>(nullptr, std::make_unique<RecordingDevice>(recorder));
}

TEST(SoundPlayer, HandsTheDeviceTheToneSamplesWithoutTheWaveHeader)
{
    Recorder recorder;
    auto player = PlayerOn(recorder);
    player->PlayFoundSound();
    ASSERT_TRUE(recorder.WaitForTones(1));

    const Played& tone = recorder.played[0];
    EXPECT_EQ(tone.format.sampleRate, 22050u);
    EXPECT_EQ(tone.format.channels, 1u);
    EXPECT_EQ(tone.format.bitsPerSample, 8u);
    // 1956 samples (the image's 2002 bytes less the 46-byte header): about 89 ms.
    ASSERT_EQ(tone.samples.size(), 1956u);
    const std::vector<uint8_t> firstPeriods = {0xDF, 0xDF, 0x1F, 0x1F, 0x1F, 0xDF,
                                               0xDF, 0xDF, 0x1F, 0x1F, 0x1F, 0xDF};
    EXPECT_EQ(std::vector<uint8_t>(tone.samples.begin(), tone.samples.begin() + 12), firstPeriods);
    EXPECT_EQ(tone.samples.back(), 0xDF);
    EXPECT_EQ(std::count(tone.samples.begin(), tone.samples.end(), 0xDF), 978);
    EXPECT_EQ(std::count(tone.samples.begin(), tone.samples.end(), 0x1F), 978);
    EXPECT_EQ(player->TimesPlayed(), 1);
}

// The window asks for the tone after the port search and after a patch file; neither
// may wait for a device that is slow to play or does not answer at all.
TEST(SoundPlayer, ReturnsAtOnceWhileTheDeviceIsBusy)
{
    Recorder recorder;
    recorder.hold = true;
    auto player = PlayerOn(recorder);

    const Clock::time_point start = Clock::now();
    for (int i = 0; i < 3; ++i)
        player->PlayFoundSound();
    EXPECT_LT(Clock::now() - start, 50ms);
    EXPECT_EQ(player->TimesPlayed(), 3);

    ASSERT_TRUE(recorder.WaitForTones(1));
    EXPECT_FALSE(recorder.WaitForTones(2, 200ms)) << "the second tone began before the first ended";
    recorder.Release();
    ASSERT_TRUE(recorder.WaitForTones(3));
    EXPECT_EQ(recorder.mostAtOnce, 1);
}

TEST(SoundPlayer, WithoutADeviceStaysSilentAndTriesAgainNextTime)
{
    Recorder recorder;
    recorder.noDevice = true;
    auto player = PlayerOn(recorder);
    player->PlayFoundSound();
    ASSERT_TRUE(recorder.WaitForTones(1));
    player->PlayFoundSound();
    ASSERT_TRUE(recorder.WaitForTones(2));
    EXPECT_EQ(player->TimesPlayed(), 2);
}

// Ending the program waits for the tone that sounds, not for those still to come.
TEST(SoundPlayer, EndingDropsTheTonesNotYetBegun)
{
    Recorder recorder;
    recorder.hold = true;
    auto player = PlayerOn(recorder);
    player->PlayFoundSound();
    player->PlayFoundSound();
    ASSERT_TRUE(recorder.WaitForTones(1));

    std::thread releaser([&] {
        std::this_thread::sleep_for(100ms);
        recorder.Release();
    });
    player.reset();
    releaser.join();
    EXPECT_EQ(recorder.played.size(), 1u);
}

// Where no card, no server or a busy card is, ALSA's device gives up at once; where one
// is, the tone sounds for its 89 ms. Either way the player's thread is free again soon.
TEST(SoundPlayer, AlsaDeviceReturnsSoonWithOrWithoutASoundCard)
{
    const std::vector<uint8_t> samples(1956, 0x80);  // silence at the tone's length
    const Clock::time_point start = Clock::now();
    MakeAlsaSoundDevice()->Play({22050, 1, 8}, samples);
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_FALSE(MakeAlsaSoundDevice()->Play({22050, 1, 16}, samples));
}

}  // namespace
