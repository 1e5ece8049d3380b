#include "SitePictures.h"

#include "SiteCopy.h"
#include "SiteManifest.h"

#include "platform/OrderedPool.h"
#include "platform/UiServices.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonObject>

namespace {

// The inputs that decide a picture and its thumbnail: the file as it is now and the options.
QString PictureKey(const SitePicture& picture, const PictureOptions& options) {
    const QFileInfo source(picture.source);
    const PictureTarget target = EffectiveTarget(picture.source, options.target);
    return SiteManifest::KeyOf({QStringLiteral("picture"), source.absoluteFilePath(), QString::number(source.size()),
                                QString::number(source.lastModified().toMSecsSinceEpoch()),
                                QString::number(target.type), QString::number(options.quality),
                                QStringLiteral("%1x%2").arg(options.pictureBox.width()).arg(options.pictureBox.height()),
                                QStringLiteral("%1x%2").arg(options.thumbnailBox.width()).arg(options.thumbnailBox.height()),
                                QString::number(options.keepLocationAndOwner), options.background.name(),
                                picture.thumbnail});
}

QJsonObject FactsOf(const SitePicture& picture) {
    return {{QStringLiteral("width"), picture.size.width()},
            {QStringLiteral("height"), picture.size.height()},
            {QStringLiteral("thumbWidth"), picture.thumbnailSize.width()},
            {QStringLiteral("thumbHeight"), picture.thumbnailSize.height()},
            {QStringLiteral("problem"), picture.problem}};
}

void TakeFacts(SitePicture& picture, const QJsonObject& facts) {
    picture.size = QSize(facts.value(QStringLiteral("width")).toInt(), facts.value(QStringLiteral("height")).toInt());
    picture.thumbnailSize =
        QSize(facts.value(QStringLiteral("thumbWidth")).toInt(), facts.value(QStringLiteral("thumbHeight")).toInt());
    picture.problem = facts.value(QStringLiteral("problem")).toString();
}

// A picture made by a worker, with the keys of what it wrote, worked out there too.
struct MadePicture {
    PictureOutcome outcome;
    QString pictureContent, thumbnailContent;
};

MadePicture Make(const PictureJob& job, const PictureOptions& options) {
    MadePicture made{MakeSitePicture(job, options), {}, {}};
    if (made.outcome.kind == PictureOutcome::Written) {
        made.pictureContent = SiteManifest::ContentKeyOf(job.picturePath);
        made.thumbnailContent = SiteManifest::ContentKeyOf(job.thumbnailPath);
    }
    return made;
}

}  // namespace

PicturesResult WritePictures(std::vector<SitePicture>& pictures, const PictureOptions& options, SiteOutputs& outputs,
                             UiServices& ui) {
    ui.SetStatusText(0, QStringLiteral("Wait, graphic conversion..."));
    ui.ProgressBegin(0, static_cast<int>(pictures.size()), 1);
    const QString folder = outputs.folder + QLatin1Char('/');
    std::vector<QString> keys;
    std::vector<PictureJob> jobs;
    std::vector<std::size_t> jobOf(pictures.size(), SIZE_MAX);  // none: unchanged since the last run
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SitePicture& picture = pictures[i];
        keys.push_back(PictureKey(picture, options));
        const auto facts = outputs.fullRebuild ? std::nullopt
                                               : outputs.previous.Unchanged(outputs.folder, picture.name, keys.back());
        if (facts && outputs.previous.Unchanged(outputs.folder, picture.thumbnail, keys.back())) {
            TakeFacts(picture, *facts);
            continue;
        }
        jobOf[i] = jobs.size();
        jobs.push_back({picture.source, folder + picture.name, folder + picture.thumbnail});
    }
    OrderedPool<MadePicture> pool(jobs.size(), [&](std::size_t i) { return Make(jobs[i], options); });
    PicturesResult result;
    for (std::size_t i = 0; i < pictures.size() && !result.aborted && !result.failed; ++i) {
        SitePicture& picture = pictures[i];
        const QString path = folder + picture.name;
        if (ui.CancelRequested()) {
            result.aborted = true;
            break;
        }
        if (jobOf[i] == SIZE_MAX) {
            outputs.current.Carry(outputs.previous, picture.name);
            outputs.current.Carry(outputs.previous, picture.thumbnail);
        } else {
            const auto made = TakeResponsively(ui, [&](int ms) { return pool.Take(jobOf[i], ms); });
            if (!made) {
                result.aborted = true;
                break;
            }
            const PictureOutcome& outcome = made->outcome;
            picture.size = outcome.picture;
            picture.thumbnailSize = outcome.thumbnail;
            if (outcome.kind == PictureOutcome::SaveFailed) {
                // Nothing after this can be written either (a full disk, a folder taken away):
                // one message with the reason, and the run stops before any page changes.
                ui.MessageBox(QStringLiteral("Error:\nCan't save image: %1\n%2").arg(path, outcome.problem),
                              MsgButtons::Ok, MsgIcon::Exclamation);
                result.failed = true;
                break;
            }
            if (outcome.kind == PictureOutcome::CopyFailed) {
                const CopyOutcome copy = CopyWithRetry(picture.source, path, ui);
                if (copy == CopyOutcome::Aborted) result.aborted = true;
                if (copy != CopyOutcome::Copied) continue;
            } else {
                picture.problem = outcome.problem;
            }
            outputs.current.Record(outputs.folder, picture.name, keys[i], FactsOf(picture), made->pictureContent);
            outputs.current.Record(outputs.folder, picture.thumbnail, keys[i], {}, made->thumbnailContent);
        }
        ui.SetStatusText(0, QStringLiteral("Creating: ") + path);
        ui.ProgressStep();
    }
    pool.Stop();
    ui.ProgressEnd();
    if (!result.aborted) ui.SetStatusText(0, QStringLiteral("End, graphic conversion."));
    return result;
}
