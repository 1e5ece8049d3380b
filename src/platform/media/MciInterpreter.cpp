#include "MciInterpreter.h"

#include "GstSupport.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

struct MciInterpreter::Device {
    RecordingFormat format;
    std::unique_ptr<AudioCapture> capture;
    QByteArray recorded;
};

namespace {

// The words of a command; a quoted file name stays one word.
QStringList SplitCommand(const QString& command) {
    static const QRegularExpression word(QString::fromLatin1(R"re("([^"]*)"|(\S+))re"));
    QStringList words;
    for (auto it = word.globalMatch(command); it.hasNext();) {
        const auto match = it.next();
        words << (match.capturedStart(1) >= 0 ? match.captured(1) : match.captured(2));
    }
    return words;
}

bool IsWord(const QString& word, const char* expected) {
    return word.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

}  // namespace

MciInterpreter::MciInterpreter(const QString& source)
    : m_source(source.isEmpty() ? DefaultAudioSource() : source) {}

MciInterpreter::~MciInterpreter() = default;

QString MciInterpreter::ErrorText(int code) {
    switch (code) {
        case Ok: return QStringLiteral("The specified command was carried out.");
        case InvalidDeviceId: return QStringLiteral("Invalid device ID.");
        case UnrecognizedKeyword: return QStringLiteral("The driver cannot recognize the specified command parameter.");
        case UnrecognizedCommand: return QStringLiteral("The driver cannot recognize the specified command.");
        case Hardware: return QStringLiteral("There is a problem with your sound input. Make sure a microphone is connected and the sound server is running.");
        case InvalidDeviceName: return QStringLiteral("The specified device is not open or is not recognized.");
        case DeviceOpen: return QStringLiteral("The device name is already being used as an alias by this application.");
        case CannotLoadDriver: return QStringLiteral("The specified device type cannot be opened.");
        case BadInteger: return QStringLiteral("An integer in the command was invalid or missing.");
        case MissingParameter: return QStringLiteral("The specified command requires a parameter.");
        case UnsupportedFunction: return QStringLiteral("The driver cannot carry out this command.");
        case FileNotFound: return QStringLiteral("The specified file cannot be found or read.");
        case DeviceNotReady: return QStringLiteral("The device is not ready: nothing has been recorded.");
        case OutOfRange: return QStringLiteral("The specified parameter is out of range for the specified command.");
        case FileNotSaved: return QStringLiteral("The file was not saved. Make sure the folder exists and the disk has room.");
        case MustUseShareable: return QStringLiteral("The device is already in use. Open it shareable to share it.");
        case NoWindow: return QStringLiteral("There is no such window to show the device in.");
        default: return QStringLiteral("Unknown error %1.").arg(code);
    }
}

void MciInterpreter::RegisterDeviceType(const QString& type, MciDeviceFactory factory) {
    m_types[type.toLower()] = std::move(factory);
}

int MciInterpreter::SendString(const QString& command, QString* returnText) {
    const QStringList words = SplitCommand(command);
    QString reason;
    int result = UnrecognizedCommand;
    if (words.isEmpty()) {
        result = UnrecognizedCommand;
    } else if (IsWord(words[0], "open")) {
        result = Open(words, reason);
    } else if (words.size() < 2) {
        result = MissingParameter;
    } else if (const auto typed = m_typedDevices.find(words[1].toLower()); typed != m_typedDevices.end()) {
        if (IsWord(words[0], "close"))
            result = words.size() == 2 ? (m_typedDevices.erase(typed), Ok) : UnrecognizedKeyword;
        else
            result = typed->second->Command(words[0].toLower(), words.mid(2), reason);
    } else {
        const auto it = m_devices.find(words[1].toLower());
        Device* device = it == m_devices.end() ? nullptr : it->second.get();
        if (!device)
            result = InvalidDeviceName;
        else if (IsWord(words[0], "set"))
            result = Set(*device, words);
        else if (IsWord(words[0], "record"))
            result = words.size() == 2 ? Record(*device) : UnrecognizedKeyword;
        else if (IsWord(words[0], "save"))
            result = words.size() == 3 ? Save(*device, words[2]) : MissingParameter;
        else if (IsWord(words[0], "close"))
            result = words.size() == 2 ? (m_devices.erase(it), Ok) : UnrecognizedKeyword;
    }
    if (returnText) *returnText = result == Ok ? QString() : reason.isEmpty() ? ErrorText(result) : reason;
    return result;
}

int MciInterpreter::Open(const QStringList& words, QString& reason) {
    // "open new type waveaudio alias A [buffer N]", or a device by name: "open overlay alias A
    // shareable". Words the interpreter does not know are the device's options.
    QString type, alias;
    QStringList options;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString& word = words[i];
        if (IsWord(word, "new")) continue;
        if (IsWord(word, "type") || IsWord(word, "alias")) {
            if (i + 1 >= words.size()) return MissingParameter;
            (IsWord(word, "type") ? type : alias) = words[++i].toLower();
        } else if (i == 1) {
            type = word.toLower();
        } else {
            options << word;
        }
    }
    const auto factory = m_types.find(type);
    const bool waveaudio = type == QStringLiteral("waveaudio");
    if (!waveaudio && factory == m_types.end()) return CannotLoadDriver;
    if (alias.isEmpty()) return MissingParameter;
    if (m_devices.count(alias) || m_typedDevices.count(alias)) return DeviceOpen;
    if (!waveaudio) {
        int error = Ok;
        std::unique_ptr<MciDevice> device = factory->second(options, error, reason);
        if (!device) return error == Ok ? CannotLoadDriver : error;
        m_typedDevices.emplace(alias, std::move(device));
        return Ok;
    }
    // The wave device's one option: the buffer's seconds, checked and left to the capture.
    if (!options.isEmpty()) {
        if (!IsWord(options[0], "buffer") || options.size() > 2) return UnrecognizedKeyword;
        if (options.size() < 2) return MissingParameter;
        bool ok = false;
        options[1].toInt(&ok);
        if (!ok) return BadInteger;
    }
    m_devices.emplace(alias, std::make_unique<Device>());
    return Ok;
}

int MciInterpreter::Set(Device& device, const QStringList& words) {
    RecordingFormat format = device.format;
    auto integer = [&words](qsizetype& i, int& value) {
        if (i + 1 >= words.size()) return false;
        bool ok = false;
        value = words[++i].toInt(&ok);
        return ok;
    };
    for (qsizetype i = 2; i < words.size(); ++i) {
        const QString& word = words[i];
        int value = 0;
        if (IsWord(word, "time") && i + 2 < words.size() && IsWord(words[i + 1], "format")) {
            const QString unit = words[i + 2];
            if (!IsWord(unit, "ms") && !IsWord(unit, "milliseconds") && !IsWord(unit, "bytes") &&
                !IsWord(unit, "samples"))
                return UnrecognizedKeyword;
            i += 2;
        } else if (IsWord(word, "format") && i + 2 < words.size() && IsWord(words[i + 1], "tag")) {
            if (!IsWord(words[i + 2], "pcm") && words[i + 2] != QStringLiteral("1")) return OutOfRange;
            i += 2;
        } else if (IsWord(word, "bitspersample")) {
            if (!integer(i, value)) return BadInteger;
            if (value != 8 && value != 16) return OutOfRange;
            format.bitsPerSample = value;
        } else if (IsWord(word, "channels")) {
            if (!integer(i, value)) return BadInteger;
            if (value != 1 && value != 2) return OutOfRange;
            format.channels = value;
        } else if (IsWord(word, "samplespersec")) {
            if (!integer(i, value)) return BadInteger;
            if (value < 1000 || value > 192000) return OutOfRange;
            format.samplesPerSecond = value;
        } else if (IsWord(word, "alignment") || IsWord(word, "bytespersec")) {
            // Both follow from the other three in PCM; the values are checked, not used.
            if (!integer(i, value)) return BadInteger;
        } else {
            return UnrecognizedKeyword;
        }
    }
    device.format = format;
    return Ok;
}

int MciInterpreter::Record(Device& device) {
    device.recorded.clear();
    device.capture = std::make_unique<AudioCapture>(m_source, device.format);
    if (!device.capture->Start()) {
        device.capture.reset();
        return Hardware;
    }
    return Ok;
}

int MciInterpreter::Save(Device& device, const QString& file) {
    if (device.capture) {
        device.recorded = device.capture->Stop();
        device.capture.reset();
    }
    if (device.recorded.isEmpty()) return DeviceNotReady;
    // The old file stays until the new one is complete.
    QSaveFile out(file);
    const QByteArray wav = MakeWav(device.format, device.recorded);
    if (!out.open(QIODevice::WriteOnly) || out.write(wav) != wav.size() || !out.commit())
        return FileNotSaved;
    return Ok;
}
