// The found tone through ALSA. The device is opened without blocking, so a sound
// server that does not answer or a card held by another program costs nothing but
// the tone.
#include "sound_player.h"

#include <alsa/asoundlib.h>

#include <mutex>

namespace {

// ALSA writes its own complaints to standard error (no card, no server); a missing
// sound device is normal for this program and not worth a line.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

class AlsaSoundDevice : public SoundDevice {
public:
    AlsaSoundDevice()
    {
        static std::once_flag quiet;
        std::call_once(quiet, [] { snd_lib_error_set_handler(Quiet); });
    }

    bool Play(const SoundFormat& format, const std::vector<uint8_t>& samples) override
    {
        if (format.bitsPerSample != 8 || format.channels == 0)
            return false;
        snd_pcm_t* pcm = nullptr;
        if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
            return false;
        // Writing waits for the device; only the opening must not.
        // Half a second of buffer, resampled by ALSA where the card has no 22050 Hz.
        if (snd_pcm_nonblock(pcm, 0) < 0
            || snd_pcm_set_params(pcm, SND_PCM_FORMAT_U8, SND_PCM_ACCESS_RW_INTERLEAVED,
                                  format.channels, format.sampleRate, 1, 500000) < 0) {
            snd_pcm_close(pcm);
            return false;
        }
        const snd_pcm_uframes_t frames = samples.size() / format.channels;
        snd_pcm_uframes_t done = 0;
        bool played = true;
        while (done < frames) {
            snd_pcm_sframes_t written =
                snd_pcm_writei(pcm, samples.data() + done * format.channels, frames - done);
            if (written < 0)
                written = snd_pcm_recover(pcm, int(written), 1);
            if (written < 0) {
                played = false;
                break;
            }
            done += snd_pcm_uframes_t(written);
        }
        if (played)
            snd_pcm_drain(pcm);
        snd_pcm_close(pcm);
        return played;
    }
};

}  // namespace

std::unique_ptr<SoundDevice> MakeAlsaSoundDevice()
{
    return std::make_unique<AlsaSoundDevice>();
}
