#include "TwainSession.h"

#include "ScanAssembler.h"

#include <QDir>
#include <QMutex>
#include <QThread>
#include <algorithm>
#include <vector>

QString ScannerErrorText(const QString& why) {
    const QString text = QStringLiteral("A scanner error occurred.");
    return why.isEmpty() ? text : text + QLatin1Char('\n') + why;
}

namespace {

// sane_init/sane_exit are per process: the first session alive starts the library and the last
// one stops it.
QMutex g_libraryLock;
int g_users = 0;
int g_available = -1;  // not yet tested

bool StartLibrary() {
    QMutexLocker lock(&g_libraryLock);
    if (g_users == 0) {
        SANE_Int version = 0;
        const bool ok = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
        g_available = ok;
        if (!ok) return false;
    }
    ++g_users;
    return true;
}

void StopLibrary() {
    QMutexLocker lock(&g_libraryLock);
    if (--g_users == 0) sane_exit();
}

ScanFrameFormat FrameFormat(const SANE_Parameters& p) {
    ScanFrameFormat f;
    switch (p.format) {
    case SANE_FRAME_RGB: f.kind = ScanFrameFormat::Rgb; break;
    case SANE_FRAME_RED: f.kind = ScanFrameFormat::Red; break;
    case SANE_FRAME_GREEN: f.kind = ScanFrameFormat::Green; break;
    case SANE_FRAME_BLUE: f.kind = ScanFrameFormat::Blue; break;
    default: f.kind = ScanFrameFormat::Grey; break;
    }
    f.lastFrame = p.last_frame;
    f.bytesPerLine = p.bytes_per_line;
    f.pixelsPerLine = p.pixels_per_line;
    f.lines = p.lines < 0 ? -1 : p.lines;
    f.depth = p.depth;
    return f;
}

}  // namespace

bool TwainSession::IsAvailable() {
    {
        QMutexLocker lock(&g_libraryLock);
        if (g_available >= 0) return g_available == 1;
    }
    TwainSession probe;
    return probe.LoadManager();
}

bool TwainSession::Check(SANE_Status status) {
    m_status = status;
    m_failure.clear();
    return status == SANE_STATUS_GOOD;
}

QString TwainSession::LastError() const {
    return m_failure.isEmpty() ? QString::fromUtf8(sane_strstatus(m_status)) : m_failure;
}

bool TwainSession::LoadManager() {
    if (m_state >= Loaded) return true;
    if (!StartLibrary()) return Check(SANE_STATUS_IO_ERROR);
    m_state = Loaded;
    return Check(SANE_STATUS_GOOD);
}

bool TwainSession::OpenManager() {
    if (m_state >= ManagerOpen) return true;
    if (!LoadManager()) return false;
    const SANE_Device** devices = nullptr;
    if (!Check(sane_get_devices(&devices, SANE_FALSE))) return false;
    m_scanners.clear();
    for (int i = 0; devices && devices[i]; ++i) {
        const SANE_Device* d = devices[i];
        if (!d->name) continue;
        const QString vendor = QString::fromUtf8(d->vendor ? d->vendor : "");
        const QString model = QString::fromUtf8(d->model ? d->model : "");
        const QString type = QString::fromUtf8(d->type ? d->type : "");
        m_scanners.append({QString::fromUtf8(d->name), QStringList{vendor, model, type}.join(QLatin1Char(' ')).simplified()});
    }
    if (m_scanners.isEmpty()) {
        Check(SANE_STATUS_INVAL);
        m_failure = QStringLiteral("No scanner was found.");
        return false;
    }
    m_state = ManagerOpen;
    return true;
}

bool TwainSession::OpenSource(const QString& name) {
    if (m_state >= SourceOpen) return true;
    if (!OpenManager()) return false;
    QString chosen = m_scanners.front().name;
    for (const ScannerInfo& s : m_scanners)
        if (s.name == name) chosen = name;
    if (!Check(sane_open(chosen.toUtf8().constData(), &m_handle))) return false;
    m_source = chosen;
    m_options = SaneOptions(m_handle);
    m_state = SourceOpen;
    return true;
}

bool TwainSession::EnableSource() {
    m_declined = false;
    if (m_state >= SourceEnabled) return true;
    if (m_state < SourceOpen) return false;
    if (sourceDialog && !sourceDialog(*this)) {
        m_declined = true;
        return Check(SANE_STATUS_CANCELLED);
    }
    m_state = SourceEnabled;
    return Check(SANE_STATUS_GOOD);
}

bool TwainSession::BeginAcquire(const QString& source) {
    return OpenManager() && OpenSource(source) && EnableSource();
}

namespace {

int ThreadCount() {
    QDir tasks(QStringLiteral("/proc/self/task"));
    return int(tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

}  // namespace

// All the frame but its last byte is in our hands, so the reader has written everything and is
// on its way out; it is given up to a fifth of a second to be gone.
void TwainSession::AwaitReaderEnd() const {
    for (int waited = 0; waited < 200 && ThreadCount() > m_threadsBeforeStart; ++waited) QThread::msleep(1);
}

bool TwainSession::StartFrame() {
    m_threadsBeforeStart = ThreadCount();
    if (!Check(sane_start(m_handle))) return false;
    if (!Check(sane_get_parameters(m_handle, &m_parameters))) {
        sane_cancel(m_handle);
        return false;
    }
    return true;
}

bool TwainSession::StartTransfer() {
    if (m_state != SourceEnabled) return false;
    if (!StartFrame()) return false;
    m_state = TransferReady;
    return true;
}

bool TwainSession::TransferPage(ScanAssembler& assembler, const std::function<bool()>& keepGoing) {
    if (m_state != TransferReady) return false;
    m_state = Transferring;
    std::vector<SANE_Byte> buffer(std::size_t(1) << 17);
    for (;;) {
        if (!assembler.BeginFrame(FrameFormat(m_parameters))) {
            Reset();
            m_failure = assembler.Error();
            return false;
        }
        const std::int64_t frameBytes =
            m_parameters.lines > 0 ? std::int64_t(m_parameters.lines) * m_parameters.bytes_per_line : -1;
        std::int64_t received = 0;
        for (;;) {
            if (!keepGoing()) {
                Reset();
                return Check(SANE_STATUS_CANCELLED);
            }
            // Backends built on sanei_thread cancel their reader thread asynchronously once the
            // last byte is taken. Caught while it is still exiting, the thread can die holding the
            // loader's lock, and the next page's thread then waits on it for ever. So the last
            // byte is read alone, once the reader has had time to end by itself.
            SANE_Int ask = SANE_Int(buffer.size());
            if (frameBytes > 0) {
                const std::int64_t remaining = frameBytes - received;
                if (remaining > 1)
                    ask = SANE_Int(std::min<std::int64_t>(ask, remaining - 1));
                else
                    AwaitReaderEnd();
            }
            SANE_Int length = 0;
            const SANE_Status status = sane_read(m_handle, buffer.data(), ask, &length);
            if (status == SANE_STATUS_EOF) break;
            if (status != SANE_STATUS_GOOD) {
                Reset();
                return Check(status);
            }
            const std::size_t got = std::size_t(std::clamp<SANE_Int>(length, 0, SANE_Int(buffer.size())));
            received += std::int64_t(got);
            if (!assembler.Add(buffer.data(), got)) {
                Reset();
                m_failure = assembler.Error();
                return false;
            }
        }
        assembler.EndFrame();
        if (m_parameters.last_frame) return Check(SANE_STATUS_GOOD);
        if (!StartFrame()) {
            Reset();
            return false;
        }
    }
}

bool TwainSession::EndTransfer(bool more) {
    if (m_state < TransferReady) return true;
    if (!more || !m_options.FeedsPages()) {
        Reset();
        return true;
    }
    if (StartFrame()) {
        m_state = TransferReady;
        return true;
    }
    const SANE_Status status = m_status;
    Reset();
    m_status = status;
    return status == SANE_STATUS_NO_DOCS;
}

void TwainSession::Reset() {
    if (m_state < TransferReady) return;
    sane_cancel(m_handle);
    m_state = SourceEnabled;
}

void TwainSession::ReturnTo(int state) {
    if (m_state > state && m_state >= TransferReady) Reset();
    if (m_state > state && m_state == SourceEnabled) m_state = SourceOpen;
    if (m_state > state && m_state == SourceOpen) {
        sane_close(m_handle);
        m_handle = nullptr;
        m_options = SaneOptions();
        m_state = ManagerOpen;
    }
    if (m_state > state && m_state == ManagerOpen) {
        m_scanners.clear();
        m_state = Loaded;
    }
    if (m_state > state && m_state == Loaded) {
        StopLibrary();
        m_state = Unloaded;
    }
}

QStringList ListScanners(QString* error) {
    TwainSession session;
    QStringList found;
    if (!TwainSession::IsAvailable() || !session.OpenManager()) {
        if (error) *error = session.LastError();
        return found;
    }
    for (const ScannerInfo& s : session.Scanners()) found << s.Text();
    return found;
}
