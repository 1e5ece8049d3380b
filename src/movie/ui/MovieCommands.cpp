#include "MovieCommands.h"

#include "MovieOptionsDialog.h"
#include "MpegEncoderDialog.h"

#include "album/AlbumOutputGuard.h"
#include "album/CAlboraDoc.h"
#include "album/CAppSettings.h"
#include "movie/AlbumMovie.h"
#include "platform/CommandIds.h"
#include "platform/UiServices.h"

#include <QDir>
#include <QFileInfo>

MovieCommands::MovieCommands(CAlboraDoc& doc, UiServices& ui, QWidget* parent) : m_doc(doc), m_ui(ui), m_parent(parent) {
    OnCommand(Cmd::MakeMovie, [this] { MakeMovie(); }, [this](CommandState& s) { s.enabled = m_doc.Db().GetCount() > 0; });
    OnCommand(Cmd::MakeMpegMovie, [this] {
        MpegEncoderDialog dialog(m_ui, m_parent);
        dialog.protectedFiles = [this] { return GuardOfAlbum(m_doc); };
        dialog.exec();
    });
}

void MovieCommands::MakeMovie() {
    m_ui.MessageBox(QStringLiteral("Message:\nAt the moment all the images should have the same size, color at 24 bits and "
                                   "uncompressed format!\n\nUse the Images|Image operations|Transform|Size command to "
                                   "change the images size."),
                    MsgButtons::Ok, MsgIcon::Information);
    CAppSettings& settings = m_doc.Settings();
    AlbumMovieOptions options;
    options.sound = settings.MovieSound != 0;
    options.captions = settings.MovieCaptions != 0;
    ParseMovieFit(settings.MovieFit, options);
    MovieOptionsDialog dialog(options, m_parent);
    if (!dialog.Exec()) return;
    options = dialog.Options();
    settings.MovieSound = options.sound;
    settings.MovieCaptions = options.captions;
    settings.MovieFit = MovieFitText(options);
    // Offered beside the album and named after it.
    const QFileInfo album(m_doc.GetPathName());
    const QString suggested = m_doc.GetPathName().isEmpty() ? QStringLiteral("movie.avi")
                                                            : album.absoluteDir().filePath(album.completeBaseName() + QStringLiteral(".avi"));
    std::optional<QString> path = m_ui.ChooseFile(FileDialogKind::Save, QStringLiteral("Save Movie As"),
                                                  QStringLiteral("Movie (*.avi);;All Files (*)"), suggested);
    if (!path) return;
    // A name typed without an extension is a movie all the same.
    if (QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".avi");
    MakeMovieFromAlbum(m_doc, m_ui, *path, options);
}
