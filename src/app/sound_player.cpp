#include "sound_player.h"

#include "found_sound.h"

SoundPlayer::SoundPlayer(QObject* parent, std::unique_ptr<SoundDevice> device)
    : QObject(parent), device_(std::move(device)), thread_([this] { Run(); })
{
}

SoundPlayer::~SoundPlayer()
{
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void SoundPlayer::PlayFoundSound()
{
    ++played_;
    {
        std::lock_guard lock(mutex_);
        ++pending_;
    }
    wake_.notify_one();
}

void SoundPlayer::Run()
{
    const std::vector<uint8_t> image = BuildFoundSound();
    const std::vector<uint8_t> samples(image.begin() + kFoundSoundHeaderSize, image.end());
    const SoundFormat format{kFoundSoundSampleRate, 1, 8};
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return ending_ || pending_ > 0; });
            // Tones not yet begun are dropped when the program ends.
            if (ending_)
                return;
            --pending_;
        }
        if (device_)
            device_->Play(format, samples);
    }
}
