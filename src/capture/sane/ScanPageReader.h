#pragma once

#include "image/CImageObject.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QThread;
class TwainSession;

// One page read from the scanner.
struct ScannedPage {
    int index = 0;  // from 0, in the order the scanner gave them
    std::shared_ptr<CImageObject> picture;
    double dpi = 0;
};
Q_DECLARE_METATYPE(ScannedPage)

// Reads the pages of one acquisition on a worker thread, so the window stays alive through a
// long scan. Pages arrive as queued signals on the thread that made the reader, hence in page
// order; the session belongs to the worker until Finished.
class ScanPageReader : public QObject {
    Q_OBJECT

public:
    explicit ScanPageReader(QObject* parent = nullptr);
    ~ScanPageReader() override;

    // Starts with SESSION enabled (state 5): up to MAXPAGES pages (0: every page the feeder
    // gives; a flatbed gives one).
    void Start(TwainSession& session, int maxPages);
    // Stops after the current read; the page being read is dropped.
    void Cancel() { m_cancel = true; }
    bool IsRunning() const;

Q_SIGNALS:
    void PageRead(const ScannedPage& page);
    // PERCENT of page PAGE (from 0) read.
    void Progress(int page, int percent);
    // The scan ended: ERROR empty when it ended well or was cancelled.
    void Finished(int pages, const QString& error);

private:
    void Run(TwainSession& session, int maxPages);

    QThread* m_thread = nullptr;
    std::atomic_bool m_cancel{false};
};
