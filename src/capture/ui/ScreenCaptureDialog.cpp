#include "ScreenCaptureDialog.h"

#include "CaptureFileFields.h"
#include "RectanglePicker.h"
#include "WindowPicker.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "capture/CapturedPicture.h"
#include "capture/PortalScreenshot.h"
#include "capture/ScreenSource.h"
#include "capture/XcbScreen.h"
#include "image/CImageObject.h"
#include "platform/UiServices.h"

#include <QCheckBox>
#include <QDBusConnection>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kDesktopWaitMs = 1000;
// Hiding is asynchronous under X: the other programs need a moment to paint what was covered.
constexpr int kSettleMs = 250;
constexpr int kMostDelay = 30;

}  // namespace

ScreenCaptureDialog::ScreenCaptureDialog(CAlboraDoc& doc, UiServices& ui, QWidget* owner, const QString& proposed)
    : QDialog(owner), m_doc(doc), m_ui(ui), m_owner(owner) {
    setWindowTitle(QStringLiteral("Screen Photo: Capture"));
    auto* buttons = new QGridLayout;
    const std::pair<const char*, QStyle::StandardPixmap> modes[] = {{"Desktop", QStyle::SP_ComputerIcon},
                                                                    {"Rectangle", QStyle::SP_TitleBarNormalButton},
                                                                    {"Window", QStyle::SP_TitleBarMaxButton},
                                                                    {"Client area", QStyle::SP_FileDialogDetailedView}};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QToolButton;
        button->setText(QString::fromLatin1(modes[i].first));
        button->setIcon(style()->standardIcon(modes[i].second));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumWidth(80);
        connect(button, &QToolButton::clicked, this, [this, i] { Capture(Mode(i)); });
        buttons->addWidget(button, 0, i);
    }
    m_fields = new CaptureFileFields(doc, ui, proposed);
    auto* form = new QFormLayout;
    m_delay = new QSpinBox;
    m_delay->setRange(0, kMostDelay);
    m_delay->setSuffix(QStringLiteral(" s"));
    m_delay->setValue(std::clamp(m_doc.Settings().screenDelay, 0, kMostDelay));
    form->addRow(QStringLiteral("&Delay:"), m_delay);
    m_hide = new QCheckBox(QStringLiteral("&Hide dialog"));
    m_hide->setChecked(true);
    m_feedback = new QLabel;
    m_feedback->setMinimumWidth(320);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_fields);
    layout->addLayout(form);
    layout->addWidget(m_hide);
    layout->addWidget(m_feedback);
    layout->addWidget(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString ScreenCaptureDialog::FileName() const { return m_fields->FileName(); }

void ScreenCaptureDialog::Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int ScreenCaptureDialog::Grab(Mode mode, XcbScreen& screen, CImageObject& picture) {
    const auto feedback = [this](const QString& text) { m_feedback->setText(text); };
    switch (mode) {
    case Mode::Desktop:
        return screen.GrabScreen(picture);
    case Mode::Rectangle: {
        CImageObject frozen;
        if (screen.GrabScreen(frozen) != XcbScreen::kGrabbed) return XcbScreen::kGrabFailed;
        const auto picked = RectanglePicker::Pick(frozen.MakeBitmap(), feedback);
        if (!picked) return XcbScreen::kNothingPicked;
        if (picked->isEmpty()) return XcbScreen::kGrabFailed;
        Wait(kSettleMs);
        return screen.GrabRectangle(*picked, picture);
    }
    case Mode::Window:
    case Mode::ClientArea: {
        const auto released = WindowPicker::Pick(screen, feedback);
        if (!released) return XcbScreen::kNothingPicked;
        return screen.GrabWindowAt(*released, mode == Mode::Window ? XcbScreen::WindowPart::Whole
                                                                   : XcbScreen::WindowPart::Client,
                                   picture);
    }
    }
    return XcbScreen::kGrabFailed;
}

void ScreenCaptureDialog::Capture(Mode mode) {
    if (m_fields->RefusesAlbumFile()) return;
    const QString name = FileName();
    CAppSettings& settings = m_doc.Settings();
    settings.screenDelay = m_delay->value();
    const bool hideDialog = m_hide->isChecked();
    if (hideDialog) hide();
    if (m_owner) m_owner->hide();
    const int delayMs = settings.screenDelay * 1000;
    Wait(mode == Mode::Desktop ? std::max(kDesktopWaitMs, delayMs) : delayMs + kSettleMs);

    CImageObject picture;
    QString problem;
    int code = XcbScreen::kGrabFailed;
    if (FindScreenSource() == ScreenSource::Portal) {
        // The portal asks the user what to take, whichever mode was chosen here.
        switch (PortalScreenshot::Take(QDBusConnection::sessionBus(), picture, &problem)) {
        case PortalScreenshot::Result::Taken: code = XcbScreen::kGrabbed; break;
        case PortalScreenshot::Result::Cancelled: code = XcbScreen::kNothingPicked; break;
        case PortalScreenshot::Result::Failed: break;
        }
    } else {
        XcbScreen screen;
        code = screen.IsOpen() ? Grab(mode, screen, picture) : XcbScreen::kGrabFailed;
        if (code == XcbScreen::kGrabFailed) problem = screen.Error();
    }
    if (code == XcbScreen::kGrabbed) {
        const StoredPicture stored = StoreCapturedPicture(picture, name, settings, m_ui);
        if (stored.result == StoredPicture::Result::ConversionFailed) {
            code = XcbScreen::kGrabFailed;
            m_ui.MessageBox(ConversionErrorText(name, stored), MsgButtons::Ok, MsgIcon::Exclamation);
        } else if (!stored.Ok()) {
            code = stored.writeCode;
            problem = QStringLiteral("Can't write the picture %1: %2").arg(name, stored.reason);
        }
    }
    if (m_owner) m_owner->show();
    if (hideDialog) show();
    if (!problem.isEmpty()) m_ui.MessageBox(QStringLiteral("Error:\n") + problem, MsgButtons::Ok, MsgIcon::Exclamation);
    // A picture counts only when its file is there.
    if (code == XcbScreen::kGrabbed && QFile::exists(name)) {
        accept();
        return;
    }
    m_failed = code != XcbScreen::kNothingPicked;
    reject();
}
