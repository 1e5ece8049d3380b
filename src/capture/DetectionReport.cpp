#include "DetectionReport.h"

#include "ScreenSource.h"
#include "platform/media/VideoSources.h"
#include "sane/TwainSession.h"

QString DetectionReportText(const CaptureHardware& found) {
    QString text = QStringLiteral("Report:\r\nWith this configuration:\r\n");
    if (found.screen)
        text += QStringLiteral("- you will be able to capture screen images.\r\n");
    else
        text += QStringLiteral("- you will not be able to capture screen images: ") + found.screenWhy +
                QStringLiteral("\r\n");
    if (found.video) text += QStringLiteral("- you will be able to capture live video from digitalvideo sources.\r\n");
    if (found.scanner) text += QStringLiteral("- you will be able to capture single images from scanner sources.\r\n");
    if (found.overlay) text += QStringLiteral("- you will be able to capture single images from ovelay sources.\r\n");
    if ((found.scanner || found.overlay) && !found.video)
        text += QStringLiteral("With this configuration you won't be able to capture live video, only single images.\r\n");
    text += QStringLiteral("Display information:\r\n");
    text += found.trueColour ? QStringLiteral("Colors: True colors\r\n")
                             : QStringLiteral("Colors: No true colors\r\nPlease select more colors\r\n"
                                              "Warning: Albora only work fine with a true colors display!\r\n");
    return text;
}

CaptureHardware ProbeCaptureHardware() {
    CaptureHardware found;
    found.scanners = ListScanners(nullptr);
    found.scanner = !found.scanners.isEmpty();
    found.screen = ScreenCaptureAvailable(&found.screenWhy);
    const std::vector<VideoSource> sources = ListVideoSources();
    for (std::size_t i = 0; i < sources.size(); ++i)
        found.videoSources << QStringLiteral("%1: %2").arg(i).arg(sources[i].name);
    found.video = !sources.empty();
    // The overlay keys in the picture of a video source: it is there wherever one is.
    found.overlay = found.video;
    return found;
}
