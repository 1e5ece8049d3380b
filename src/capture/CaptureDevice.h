#pragma once

#include <QString>
#include <QStringList>

// The capture devices by their "hardCapture" value.
namespace CaptureKind {
constexpr int None = 2;
constexpr int Twain = 3;
constexpr int VideoForWindows = 4;
constexpr int Overlay = 5;
constexpr int Screen = 6;
}  // namespace CaptureKind

// What one Photo/Scan gave: the files it wrote, in order. Only files that exist are listed, so
// no card is ever made for a picture that was not written.
struct CaptureOutcome {
    enum class Status { Taken, Failed, Cancelled };
    Status status = Status::Cancelled;
    QStringList files;

    static CaptureOutcome Taken(QStringList files) { return {Status::Taken, std::move(files)}; }
    static CaptureOutcome Failed() { return {Status::Failed, {}}; }
    static CaptureOutcome Cancelled() { return {Status::Cancelled, {}}; }
};

// One kind of picture source behind Photo/Scan. The program and albora-cli share the back-ends;
// the tests point them at SANE's test scanner and at Xvfb.
class CaptureDevice {
public:
    // Which pictures become cards: the scanner's chosen ones always (its dialog asks which),
    // the others' as "flgAutoInsert" says; the overlay only saves its file.
    enum class Cards { Always, WhenAutoInsert, Never };
    struct Capabilities {
        Cards cards = Cards::WhenAutoInsert;
        bool sequences = false;   // "Capture video!" records
        bool unattended = false;  // takes photos without asking (Autophoto)
    };

    virtual ~CaptureDevice() = default;

    virtual Capabilities Abilities() const = 0;
    // The status-bar name shown on activation ("Twain", "Screen").
    virtual QString StatusName() const = 0;
    // Readies the device, saying how in the status bar or a message; false when it cannot serve,
    // and the program then falls back to no device.
    virtual bool Activate() = 0;
    // Another device is chosen: let go of what this one holds until it is activated again.
    virtual void Deactivate() {}
    // One Photo/Scan. PROPOSED is the next free image name in the album's folder.
    virtual CaptureOutcome Take(const QString& proposed) = 0;
    // One photo named PROPOSED without asking anything, for devices that can.
    virtual CaptureOutcome TakeUnattended(const QString&) { return CaptureOutcome::Failed(); }
};
