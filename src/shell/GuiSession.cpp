#include "GuiSession.h"

#include "CMainFrame.h"

#include "album/CAppSettings.h"
#include "album/TipOfTheDay.h"
#include "album/ui/CAlboraView.h"
#include "browse/ui/BrowseCommands.h"
#include "capture/DetectionReport.h"
#include "capture/ui/CaptureCommands.h"
#include "image/ImageLibrary.h"
#include "platform/CommandIds.h"
#include "views/CContactView.h"
#include "draw/ui/CDrawView.h"
#include "views/CImgView.h"
#include "web/ui/CHTMLViewS.h"

#include <QPrinterInfo>

namespace {
constexpr int kDrawTab = 3;
}  // namespace

GuiSession::GuiSession(CAppSettings& settingsIn, SettingsStore& storeIn)
    : settings(settingsIn),
      store(storeIn),
      doc(ui, settings),
      sound(ui, settings, mci, player),
      draw(doc, ui),
      cardDialogs(
          ui, sound, [this](const QString& stored) { return doc.CardFiles().Resolve(stored); },
          [this] { frame->Router().Execute(Cmd::ViewCurrentImage); }) {
    ImageLibrary::SetJpegQuality(settings.JPGquality);
    ImageLibrary::SetMaxPixels(settings.MaxPicturePixels);
    ImageLibrary::SetUi(&ui);
    frame = std::make_unique<CMainFrame>(doc, settings, store, ui);
    cardDialogs.SetParent(frame.get());
    frame->AddCommandTarget(&draw);
    drawDialogs = std::make_unique<QtDrawDialogs>(frame.get());
    draw.chooseColor = [this](ColorRef initial) { return drawDialogs->ChooseColor(initial); };
    draw.chooseNew = [this](NewAnnotationChoice& choice, const QStringList& templates) {
        return drawDialogs->ChooseNew(choice, templates);
    };
    draw.printerPageMillimetres = []() -> std::optional<QSizeF> {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull()) return std::nullopt;
        return printer.defaultPageSize().size(QPageSize::Millimeter);
    };
    list = new CAlboraView(doc, {ui, cardDialogs, launcher, sound, editing, frame.get(), &frame->Actions()});
    frame->AddView(list, list, QStringLiteral(" List "));
    imageDialogs = std::make_unique<QtImageViewDialogs>(frame.get());
    image = new CImgView(doc, {ui, sound, *imageDialogs, &frame->Actions()});
    frame->AddView(image, image, QStringLiteral(" Image "));
    contact = new CContactView(doc, {ui, launcher, frame.get(), &frame->Actions()});
    frame->AddView(contact, contact, QStringLiteral(" Contact "));
    drawView = new CDrawView(doc, {ui, draw, drawDialogs.get(), &frame->Actions()});
    frame->AddView(drawView, drawView, QStringLiteral(" Draw "));
    draw.showDrawView = [this] { frame->ShowTab(kDrawTab); };
    // The classic layout has no place for the web site.
    if (!frame->IsClassicLayout()) {
        webView = new CHTMLViewS(doc, settings);
        frame->AddView(webView, webView, QStringLiteral(" Web Site "));
        frame->SetWebView(webView);
    }
    web = std::make_unique<WebCommands>(doc, settings, WebCommands::Services{ui, launcher, *frame, frame.get()});
    frame->AddCommandTarget(web.get());
    presentations = std::make_unique<PresentationCommands>(doc, PresentationServices{ui, sound, player, frame.get()});
    frame->AddCommandTarget(presentations.get());
    movies = std::make_unique<MovieCommands>(doc, ui, frame.get());
    frame->AddCommandTarget(movies.get());
    capture = std::make_unique<CaptureCommands>(doc, ui, *frame, list->Commands(), frame.get(), ProbeCaptureHardware);
    frame->AddCommandTarget(capture.get());
    browse = std::make_unique<BrowseCommands>(doc, ui, sound, frame.get(), [this](int id) { frame->Router().Execute(id); });
    frame->AddCommandTarget(browse.get());
}

GuiSession::~GuiSession() {
    frame.reset();
    ImageLibrary::SetUi(nullptr);
}

void GuiSession::StartUp(const QString& album) {
    // A command-line album that cannot be read leaves an empty, untitled album open. The album
    // made when none is named is nobody's choice yet: it is not asked about.
    if (!album.isEmpty())
        doc.FileOpen(album);
    else
        doc.FileNewUnasked();
    // One dialog at most: the welcome carries the tip of the day, and an album asked for on the
    // command line needs no welcome.
    if (album.isEmpty() && settings.flgWelcomeDlg)
        frame->ShowWelcome();
    else if (TipOfTheDay::ShowAtStartUp(store))
        frame->ShowTipOfTheDay();
    // The keyboard works in the card list as soon as the start-up dialogs are gone.
    frame->activateWindow();
    list->setFocus();
    frame->Router().Execute(Cmd::ActivateDevice);
}
