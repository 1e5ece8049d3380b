#include "DetectionDialog.h"

#include "capture/DetectionReport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

namespace {

QCheckBox* ReadOnlyCheck(const QString& text) {
    auto* check = new QCheckBox(text);
    // Informative only: the boxes show what was found and are not read back.
    check->setAttribute(Qt::WA_TransparentForMouseEvents);
    check->setFocusPolicy(Qt::NoFocus);
    return check;
}

}  // namespace

DetectionDialog::DetectionDialog(std::function<CaptureHardware()> probe, QWidget* parent)
    : QDialog(parent),
      m_scanner(ReadOnlyCheck(QStringLiteral("Twain compatible scanner"))),
      m_overlay(ReadOnlyCheck(QStringLiteral("MCI Overlay"))),
      m_video(ReadOnlyCheck(QStringLiteral("Video Capture Drivers (Video for Windows)"))),
      m_screen(ReadOnlyCheck(QStringLiteral("Screen capture"))),
      m_report(new QPlainTextEdit) {
    setWindowTitle(QStringLiteral("Albora Hardware/Software autodetection"));
    m_report->setReadOnly(true);
    m_report->setPlainText(QStringLiteral("Looking for capture devices..."));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(m_scanner), static_cast<QWidget*>(m_overlay),
                       static_cast<QWidget*>(m_video), static_cast<QWidget*>(m_screen)})
        layout->addWidget(w);
    layout->addWidget(m_report, 1);
    layout->addWidget(buttons);
    resize(520, 380);

    auto found = std::make_shared<CaptureHardware>();
    m_thread = QThread::create([probe = std::move(probe), found] { *found = probe(); });
    connect(m_thread, &QThread::finished, this, [this, found] {
        // The screen's depth is the window system's, asked here on the UI thread.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) found->trueColour = screen->depth() >= 24;
        Show(*found);
    });
    m_thread->start();
}

DetectionDialog::~DetectionDialog() {
    // SANE may still be answering: the dialog waits for it rather than leaving a thread behind.
    m_thread->wait();
    delete m_thread;
}

void DetectionDialog::Show(const CaptureHardware& found) {
    m_scanner->setChecked(found.scanner);
    m_overlay->setChecked(found.overlay);
    m_video->setChecked(found.video);
    m_screen->setChecked(found.screen);
    QString text = DetectionReportText(found);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!found.scanners.isEmpty()) text += QStringLiteral("Scanners:\n  ") + found.scanners.join(QStringLiteral("\n  ")) + '\n';
    m_report->setPlainText(text);
}
