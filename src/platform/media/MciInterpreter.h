#pragma once

#include "AudioCapture.h"

#include <QString>
#include <map>
#include <memory>

// The MCI command strings the program sends to its wave-audio device, interpreted over
// GStreamer: "open new type waveaudio alias A [buffer N]", "set A ..." (time format, bits per
// sample, channels, samples per second, alignment, bytes per second, format tag pcm),
// "record A", "save A FILE" and "close A". Results follow MCI: 0 is success, anything else an
// error whose text ErrorText gives.
class MciInterpreter {
public:
    enum Error {
        Ok = 0,
        InvalidDeviceId = 257,
        UnrecognizedKeyword = 259,
        UnrecognizedCommand = 261,
        Hardware = 262,
        InvalidDeviceName = 263,
        DeviceOpen = 265,
        CannotLoadDriver = 266,
        BadInteger = 270,
        MissingParameter = 273,
        DeviceNotReady = 276,
        OutOfRange = 282,
        FileNotSaved = 286,
    };

    // SOURCE is the GStreamer description of the sound input (DefaultAudioSource() when empty).
    explicit MciInterpreter(const QString& source = {});
    ~MciInterpreter();

    // Runs one command; RETURN_TEXT gets the error's text on failure.
    int SendString(const QString& command, QString* returnText = nullptr);
    void SetAudioSource(const QString& source) { m_source = source; }
    const QString& AudioSource() const { return m_source; }

    static QString ErrorText(int code);

private:
    struct Device;
    int Open(const QStringList& words);
    int Set(Device& device, const QStringList& words);
    int Record(Device& device);
    int Save(Device& device, const QString& file);

    QString m_source;
    std::map<QString, std::unique_ptr<Device>> m_devices;  // by lower-case alias
};
