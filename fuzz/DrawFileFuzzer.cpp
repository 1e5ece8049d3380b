// Feeds arbitrary bytes to the annotation file and clipboard readers and draws what they read.
#include "draw/DrawPage.h"

#include "FuzzOptions.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    DefaultMaxLen(argc, argv, kNestedInputBytes);
    // Texts need fonts, and fonts a GUI application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int appArgc = 1;
    static char appName[] = "draw_file_fuzzer";
    static char* appArgv[] = {appName, nullptr};
    static QGuiApplication app(appArgc, appArgv);
    return 0;
}

namespace {

void Draw(const std::vector<std::shared_ptr<CDrawObj>>& objects) {
    QImage image(64, 64, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.translate(32, 32);
    painter.scale(0.05, -0.05);
    for (const auto& object : objects) {
        object->Render(painter);
        object->RenderTracker(painter, 1);
        object->Intersects(PageRect{0, 1, 1, 0});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DrawPage page;
    // Links name files of this machine: the fuzzer draws their error texts only.
    page.linkResolver = [](const QString&) { return QString(); };
    page.Deserialize(bytes);
    Draw(page.objects);
    page.Serialize();
    Draw(DrawPage::ReadClipboardPayload(bytes));
    return 0;
}

// Qt's font database keeps what fontconfig found for each face name asked for.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
