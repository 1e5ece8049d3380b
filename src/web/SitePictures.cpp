#include "SitePictures.h"

#include "SiteCopy.h"
#include "SiteManifest.h"

#include "platform/OrderedPool.h"
#include "platform/UiServices.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonObject>

namespace {

// The inputs that decide a picture, and those that decide its thumbnail: each is made again
// only when its own change. (Records of the runs that keyed both alike match neither, and so
// have both made once more.)
QStringList SourceInputs(const SitePicture& picture, const PictureOptions& options) {
    const QFileInfo source(picture.source);
    return {source.absoluteFilePath(), QString::number(source.size()),
            QString::number(source.lastModified().toMSecsSinceEpoch()), QString::number(options.quality),
            options.background.name()};
}

QString BoxKey(QSize box) { return QStringLiteral("%1x%2").arg(box.width()).arg(box.height()); }

QString PictureKey(const SitePicture& picture, const PictureOptions& options) {
    const PictureTarget target = EffectiveTarget(picture.source, options.target);
    return SiteManifest::KeyOf(QStringList{QStringLiteral("picture")} + SourceInputs(picture, options) +
                               QStringList{QString::number(target.type), BoxKey(options.pictureBox),
                                           QString::number(options.keepLocationAndOwner)});
}

QString ThumbnailKey(const SitePicture& picture, const PictureOptions& options) {
    return SiteManifest::KeyOf(QStringList{QStringLiteral("thumbnail")} + SourceInputs(picture, options) +
                               QStringList{BoxKey(options.thumbnailBox), picture.thumbnail});
}

QJsonObject PictureFacts(const SitePicture& picture) {
    return {{QStringLiteral("width"), picture.size.width()},
            {QStringLiteral("height"), picture.size.height()},
            {QStringLiteral("problem"), picture.problem}};
}

QJsonObject ThumbnailFacts(const SitePicture& picture) {
    return {{QStringLiteral("thumbWidth"), picture.thumbnailSize.width()},
            {QStringLiteral("thumbHeight"), picture.thumbnailSize.height()}};
}

void TakeFacts(SitePicture& picture, const QJsonObject& pictureFacts, const QJsonObject& thumbnailFacts) {
    picture.size = QSize(pictureFacts.value(QStringLiteral("width")).toInt(),
                         pictureFacts.value(QStringLiteral("height")).toInt());
    picture.thumbnailSize = QSize(thumbnailFacts.value(QStringLiteral("thumbWidth")).toInt(),
                                  thumbnailFacts.value(QStringLiteral("thumbHeight")).toInt());
    picture.problem = pictureFacts.value(QStringLiteral("problem")).toString();
}

// A picture made by a worker, with the keys of what it wrote, worked out there too.
struct MadePicture {
    PictureOutcome outcome;
    QString pictureContent, thumbnailContent;
};

MadePicture Make(const PictureJob& job, const PictureOptions& options) {
    MadePicture made{MakeSitePicture(job, options), {}, {}};
    if (made.outcome.kind == PictureOutcome::Written) {
        if (job.makePicture) made.pictureContent = SiteManifest::ContentKeyOf(job.picturePath);
        if (job.makeThumbnail) made.thumbnailContent = SiteManifest::ContentKeyOf(job.thumbnailPath);
    }
    return made;
}

}  // namespace

PicturesResult WritePictures(std::vector<SitePicture>& pictures, const PictureOptions& options, SiteOutputs& outputs,
                             UiServices& ui) {
    ui.SetStatusText(0, QStringLiteral("Wait, graphic conversion..."));
    ui.ProgressBegin(0, static_cast<int>(pictures.size()), 1);
    const QString folder = outputs.folder + QLatin1Char('/');
    std::vector<QString> pictureKeys, thumbnailKeys;
    std::vector<PictureJob> jobs;
    std::vector<std::size_t> jobOf(pictures.size(), SIZE_MAX);  // none: unchanged since the last run
    const auto unchanged = [&](const QString& output, const QString& key) {
        return outputs.fullRebuild ? std::nullopt : outputs.previous.Unchanged(outputs.folder, output, key);
    };
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SitePicture& picture = pictures[i];
        pictureKeys.push_back(PictureKey(picture, options));
        thumbnailKeys.push_back(ThumbnailKey(picture, options));
        const auto pictureFacts = unchanged(picture.name, pictureKeys.back());
        const auto thumbnailFacts = unchanged(picture.thumbnail, thumbnailKeys.back());
        if (pictureFacts && thumbnailFacts) {
            TakeFacts(picture, *pictureFacts, *thumbnailFacts);
            continue;
        }
        jobOf[i] = jobs.size();
        jobs.push_back({picture.source, folder + picture.name, folder + picture.thumbnail, !pictureFacts,
                        !thumbnailFacts});
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
            const PictureJob& job = jobs[jobOf[i]];
            if (job.makePicture)
                outputs.current.Record(outputs.folder, picture.name, pictureKeys[i], PictureFacts(picture),
                                       made->pictureContent);
            else
                outputs.current.Carry(outputs.previous, picture.name);
            if (job.makeThumbnail)
                outputs.current.Record(outputs.folder, picture.thumbnail, thumbnailKeys[i], ThumbnailFacts(picture),
                                       made->thumbnailContent);
            else
                outputs.current.Carry(outputs.previous, picture.thumbnail);
        }
        ui.SetStatusText(0, QStringLiteral("Creating: ") + path);
        ui.ProgressStep();
    }
    pool.Stop();
    ui.ProgressEnd();
    if (!result.aborted) ui.SetStatusText(0, QStringLiteral("End, graphic conversion."));
    return result;
}
