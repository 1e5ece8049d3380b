#pragma once

#include "album/CAppSettings.h"
#include "platform/HeadlessUi.h"
#include "platform/SettingsStore.h"

#include <QTextStream>

class CImageObject;

// What every batch command works with: the headless Ui, which prints messages to stderr, and the
// settings with their defaults (the batch program reads the user's store only where a command
// must see what the program sees; only the settings command writes it).
struct CliContext {
    HeadlessUi ui;
    CAppSettings settings;
    QTextStream err{stderr};
    QTextStream out{stdout};

    CliContext();
    // Writes "albora-cli: MESSAGE" on stderr, as every message of the program reads.
    void Report(const QString& message);
    int Usage(const QString& reason);
    // Reports REASON and gives the failure's exit status.
    int Fail(const QString& reason);
};

// The refusal to write OUTPUT over one of INPUTS (the same file under any spelling or link), or
// empty when it may be written.
QString OutputOverInput(const QString& output, const QStringList& inputs);

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The groups of commands.
int RunAlbumCommand(CliContext& context, const QStringList& args);
int RunImageCommand(CliContext& context, const QStringList& args);
int RunImageTransform(CliContext& context, const QStringList& args);
// "Error:\nCan't read the picture PATH!", with the reader's REASON for refusing it in brackets.
QString CantReadPicture(const QString& path, const QString& reason);
// "Error:\nCan't write the picture PATH!", with the reason the write failed in brackets.
QString CantWritePicture(const QString& path, const CImageObject& image);
int RunContactCommand(CliContext& context, const QStringList& args);
int RunDrawCommand(CliContext& context, const QStringList& args);
int RunWebCommand(CliContext& context, const QStringList& args);
int RunMovieCommand(CliContext& context, const QStringList& args);
int RunMpegCommand(CliContext& context, const QStringList& args);
int RunSlidesCommand(CliContext& context, const QStringList& args);
int RunUtilityCommand(CliContext& context, const QStringList& args);
int RunCaptureCommand(CliContext& context, const QStringList& args);
int RunBrowseCommand(CliContext& context, const QStringList& args);
int RunQuickCommand(CliContext& context, const QStringList& args);
int RunMediaCommand(CliContext& context, const QStringList& args);
int RunCaptureScan(CliContext& context, const QStringList& args);
int RunCaptureScreen(CliContext& context, const QStringList& args);
int RunCaptureVideo(CliContext& context, const QStringList& args);
int RunCaptureOverlay(CliContext& context, const QStringList& args);
int RunLiveCamCommand(CliContext& context, const QStringList& args);
// The user's settings store, which the other commands leave alone.
int RunSettingsCommand(CliContext& context, const QStringList& args);
