#include "sound_player.h"

#include "found_sound.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace {
constexpr int kHeaderBytes = 46;
constexpr int kSampleRate = 22050;
}  // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer()
{
    if (sink_)
        sink_->stop();
}

void SoundPlayer::PlayFoundSound()
{
    ++played_;
    const std::vector<uint8_t> image = BuildFoundSound();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || image.size() <= size_t(kHeaderBytes))
        return;

    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    if (!device.isFormatSupported(format))
        return;

    if (sink_)
        sink_->stop();
    buffer_ = std::make_unique<QBuffer>();
    buffer_->setData(reinterpret_cast<const char*>(image.data()) + kHeaderBytes,
                     qsizetype(image.size()) - kHeaderBytes);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(buffer_.get());
}
