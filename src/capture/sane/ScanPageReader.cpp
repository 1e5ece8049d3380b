#include "ScanPageReader.h"

#include "ScanAssembler.h"
#include "TwainSession.h"

#include <QThread>

ScanPageReader::ScanPageReader(QObject* parent) : QObject(parent) { qRegisterMetaType<ScannedPage>(); }

ScanPageReader::~ScanPageReader() {
    if (!m_thread) return;
    m_cancel = true;
    m_thread->wait();
    delete m_thread;
}

bool ScanPageReader::IsRunning() const { return m_thread && m_thread->isRunning(); }

void ScanPageReader::Start(TwainSession& session, int maxPages) {
    if (IsRunning()) return;
    delete m_thread;
    m_cancel = false;
    m_thread = QThread::create([this, &session, maxPages] { Run(session, maxPages); });
    m_thread->start();
}

void ScanPageReader::Run(TwainSession& session, int maxPages) {
    int pages = 0;
    QString error;
    if (!session.StartTransfer()) {
        if (session.LastStatus() != SANE_STATUS_NO_DOCS) error = session.LastError();
        Q_EMIT Finished(0, error);
        return;
    }
    const double dpi = session.Options().Resolution();
    while (session.State() == TwainSession::TransferReady) {
        ScanAssembler assembler;
        int shown = -1;
        const bool read = session.TransferPage(assembler, [&] {
            const int expected = assembler.ExpectedLines();
            const int percent = expected > 0 ? int(std::int64_t(assembler.LinesDone()) * 100 / expected) : 0;
            if (percent != shown) Q_EMIT Progress(pages, shown = percent);
            return !m_cancel.load();
        });
        if (!read) {
            if (session.LastStatus() != SANE_STATUS_CANCELLED) error = session.LastError();
            break;
        }
        auto picture = std::make_shared<CImageObject>(assembler.Take());
        if (!picture->IsValid()) {
            session.Reset();
            error = assembler.Error();
            break;
        }
        Q_EMIT PageRead({pages++, std::move(picture), dpi});
        if (!session.EndTransfer(!m_cancel && (maxPages <= 0 || pages < maxPages))) error = session.LastError();
    }
    Q_EMIT Finished(pages, error);
}
