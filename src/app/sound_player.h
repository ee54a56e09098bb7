#pragma once
// Plays the found tone: the 8-bit PCM wave image built in memory, played from memory
// without waiting. A machine without a sound device stays silent.
#include <QObject>

#include <memory>

class QAudioSink;
class QBuffer;

class SoundPlayer : public QObject {
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    void PlayFoundSound();
    int TimesPlayed() const { return played_; }

private:
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSink> sink_;
    int played_ = 0;
};
