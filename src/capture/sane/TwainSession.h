#pragma once

#include "SaneOptions.h"

#include <QList>
#include <QString>
#include <functional>
#include <sane/sane.h>

class ScanAssembler;

// A scanner as the session lists it.
struct ScannerInfo {
    QString name;   // "test:0", what sane_open takes
    QString model;  // "Noname frontend-tester virtual device"
    QString Text() const { return model.isEmpty() ? name : name + QStringLiteral(" (") + model + QLatin1Char(')'); }
};

// The words every scanner failure is told in; WHY is the backend's reason, left out when empty.
QString ScannerErrorText(const QString& why);

// The scanner session in the states a TWAIN application knows, kept over libsane:
// 1 library not started, 2 sane_init done, 3 scanners listed, 4 a scanner open, 5 enabled (its
// options shown and accepted), 6 sane_start done and the frame's parameters known, 7 reading.
// One session drives one scanner at a time; the library is started once for all sessions alive.
class TwainSession {
public:
    enum State { Unloaded = 1, Loaded, ManagerOpen, SourceOpen, SourceEnabled, TransferReady, Transferring };

    TwainSession() = default;
    ~TwainSession() { ReturnTo(Unloaded); }
    TwainSession(const TwainSession&) = delete;
    TwainSession& operator=(const TwainSession&) = delete;

    // The library starts here (tested once per process).
    static bool IsAvailable();

    int State() const { return m_state; }
    bool LoadManager();
    // Lists the scanners; fails when there is none.
    bool OpenManager();
    const QList<ScannerInfo>& Scanners() const { return m_scanners; }
    // Opens NAME, or the first scanner listed when NAME is empty or not listed.
    bool OpenSource(const QString& name);
    const QString& SourceName() const { return m_source; }
    SaneOptions& Options() { return m_options; }
    // The user's say before a scan: the scanner's options; false when the user declined, and
    // the session is then back at state 4 without an error.
    std::function<bool(TwainSession&)> sourceDialog;
    bool EnableSource();
    // sane_start for the first page: 5 -> 6.
    bool StartTransfer();
    // Reads one page (all its frames) into ASSEMBLER: 6 -> 7. KEEPGOING is asked between reads
    // and stops the page when it answers false (the page is then dropped: Reset).
    bool TransferPage(ScanAssembler& assembler, const std::function<bool()>& keepGoing);
    // Ends the page: with MORE, and a feeder as the source, the next page starts (-> 6); an empty
    // feeder or no more wanted -> 5. False only for a failure of the next page's start.
    bool EndTransfer(bool more);
    // Drops the transfer: sane_cancel, -> 5.
    void Reset();
    // Goes down through the states until the session is at or below STATE.
    void ReturnTo(int state);
    // Opens the manager, remembering the state before: Acquire's first steps up to state 5.
    bool BeginAcquire(const QString& source);

    const SANE_Parameters& Parameters() const { return m_parameters; }
    SANE_Status LastStatus() const { return m_status; }
    // The library's words for the last failure ("Document feeder jammed").
    QString LastError() const;
    bool Declined() const { return m_declined; }

private:
    bool Check(SANE_Status status);
    bool StartFrame();
    void AwaitReaderEnd() const;

    int m_state = Unloaded;
    SANE_Status m_status = SANE_STATUS_GOOD;
    QString m_failure;  // a failure of ours rather than the library's
    bool m_declined = false;
    SANE_Handle m_handle = nullptr;
    QString m_source;
    SaneOptions m_options;
    SANE_Parameters m_parameters{};
    int m_threadsBeforeStart = 0;  // this process's threads before the frame's reader began
    QList<ScannerInfo> m_scanners;
};

// The scanners here, "name (model)"; empty with ERROR when the library or its list fails.
QStringList ListScanners(QString* error);
