#pragma once
// Plays the found tone: the samples of the 8-bit PCM wave image built in memory, on a
// thread of the player's own, so the window never waits for the sound device. A
// machine without a sound device stays silent.
#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The tone's format as the wave header gives it: unsigned 8-bit samples.
struct SoundFormat {
    unsigned sampleRate = 0;
    unsigned channels = 0;
    unsigned bitsPerSample = 0;
};

// Where the samples go. Play runs on the player's thread, plays them to the end and
// returns false when no device opens.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual bool Play(const SoundFormat& format, const std::vector<uint8_t>& samples) = 0;
};

// ALSA's default output ("default": PipeWire or PulseAudio where they run).
std::unique_ptr<SoundDevice> MakeAlsaSoundDevice();

class SoundPlayer : public QObject {
public:
    explicit SoundPlayer(QObject* parent = nullptr,
                         std::unique_ptr<SoundDevice> device = MakeAlsaSoundDevice());
    ~SoundPlayer() override;

    // Returns at once; the tone follows any that is still sounding.
    void PlayFoundSound();
    int TimesPlayed() const { return played_; }

private:
    void Run();

    std::unique_ptr<SoundDevice> device_;
    int played_ = 0;
    std::mutex mutex_;
    std::condition_variable wake_;
    int pending_ = 0;
    bool ending_ = false;
    std::thread thread_;
};
