#pragma once

#include "AudioCapture.h"
#include "MciDevice.h"

#include <QString>
#include <map>
#include <memory>

// The MCI command strings the program sends to its wave-audio device, interpreted over
// GStreamer: "open new type waveaudio alias A [buffer N]", "set A ..." (time format, bits per
// sample, channels, samples per second, alignment, bytes per second, format tag pcm),
// "record A", "save A FILE" and "close A". Other libraries add device types of their own
// ("open overlay alias A"), which get every command sent to their aliases. A quoted word (a file
// name with blanks) stays one word. Results follow MCI: 0 is success, anything else an error
// whose text ErrorText gives.
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
        UnsupportedFunction = 274,
        FileNotFound = 275,
        DeviceNotReady = 276,
        OutOfRange = 282,
        FileNotSaved = 286,
        MustUseShareable = 306,
        NoWindow = 346,
    };

    // SOURCE is the GStreamer description of the sound input (DefaultAudioSource() when empty).
    explicit MciInterpreter(const QString& source = {});
    ~MciInterpreter();

    // Runs one command; RETURN_TEXT gets the error's text on failure.
    int SendString(const QString& command, QString* returnText = nullptr);
    void SetAudioSource(const QString& source) { m_source = source; }
    // Makes "open TYPE ..." (or "open new type TYPE ...") open a device of FACTORY.
    void RegisterDeviceType(const QString& type, MciDeviceFactory factory);
    const QString& AudioSource() const { return m_source; }

    static QString ErrorText(int code);

private:
    struct Device;
    int Open(const QStringList& words, QString& reason);
    int Set(Device& device, const QStringList& words);
    int Record(Device& device);
    int Save(Device& device, const QString& file);

    QString m_source;
    std::map<QString, std::unique_ptr<Device>> m_devices;  // by lower-case alias
    std::map<QString, std::unique_ptr<MciDevice>> m_typedDevices;  // the registered types', by alias
    std::map<QString, MciDeviceFactory> m_types;                   // by lower-case type
};
