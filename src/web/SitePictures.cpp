#include "SitePictures.h"

#include "SiteCopy.h"
#include "SiteManifest.h"

#include "platform/UiServices.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonObject>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

// Makes the pictures of JOBS on the machine's cores, in any order; the outcomes are taken in
// card order.
class PicturePool {
public:
    PicturePool(std::vector<PictureJob> jobs, const PictureOptions& options)
        : m_jobs(std::move(jobs)), m_options(options), m_outcomes(m_jobs.size()) {
        const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
        for (int t = 0; t < std::min<int>(threads, int(m_jobs.size())); ++t) m_workers.emplace_back([this] { Work(); });
    }
    ~PicturePool() {
        Stop();
        for (std::thread& worker : m_workers) worker.join();
    }

    // The outcome of job I once it is there, waiting at most MS milliseconds.
    std::optional<PictureOutcome> Take(std::size_t i, int ms) {
        std::unique_lock lock(m_mutex);
        m_done.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_outcomes[i].has_value(); });
        return m_outcomes[i];
    }
    // Jobs not yet begun are left alone.
    void Stop() { m_stop = true; }

private:
    void Work() {
        for (std::size_t i = m_next++; i < m_jobs.size() && !m_stop; i = m_next++) {
            PictureOutcome outcome = MakeSitePicture(m_jobs[i], m_options);
            {
                std::lock_guard lock(m_mutex);
                m_outcomes[i] = std::move(outcome);
            }
            m_done.notify_all();
        }
    }

    std::vector<PictureJob> m_jobs;
    PictureOptions m_options;
    std::vector<std::optional<PictureOutcome>> m_outcomes;
    std::atomic<std::size_t> m_next{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_done;
    std::vector<std::thread> m_workers;
};

// The inputs that decide a picture and its thumbnail: the file as it is now and the options.
QString PictureKey(const SitePicture& picture, const PictureOptions& options) {
    const QFileInfo source(picture.source);
    const PictureTarget target = EffectiveTarget(picture.source, options.target);
    return SiteManifest::KeyOf({QStringLiteral("picture"), source.absoluteFilePath(), QString::number(source.size()),
                                QString::number(source.lastModified().toMSecsSinceEpoch()),
                                QString::number(target.type), QString::number(options.quality),
                                QStringLiteral("%1x%2").arg(options.pictureBox.width()).arg(options.pictureBox.height()),
                                QStringLiteral("%1x%2").arg(options.thumbnailBox.width()).arg(options.thumbnailBox.height()),
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

}  // namespace

PicturesResult WritePictures(std::vector<SitePicture>& pictures, const PictureOptions& options, SiteOutputs& outputs,
                             UiServices& ui) {
    ui.SetStatusText(0, QStringLiteral("Wait, graphic conversion..."));
    ui.ProgressBegin(0, static_cast<int>(pictures.size()), 1);
    const QString folder = outputs.folder + QLatin1Char('/');
    std::vector<QString> keys;
    std::vector<PictureJob> jobs;
    std::vector<std::size_t> jobOf(pictures.size(), SIZE_MAX);
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
    PicturePool pool(std::move(jobs), options);
    PicturesResult result;
    for (std::size_t i = 0; i < pictures.size() && !result.aborted && !result.failed; ++i) {
        SitePicture& picture = pictures[i];
        const QString path = folder + picture.name;
        if (ui.CancelRequested()) {
            result.aborted = true;
            break;
        }
        if (jobOf[i] != SIZE_MAX) {
            std::optional<PictureOutcome> outcome;
            // The window keeps painting and Esc is heard while the workers are busy.
            while (!(outcome = pool.Take(jobOf[i], 40)) && !ui.CancelRequested()) ui.KeepResponsive();
            if (!outcome) {
                result.aborted = true;
                break;
            }
            picture.size = outcome->picture;
            picture.thumbnailSize = outcome->thumbnail;
            if (outcome->kind == PictureOutcome::SaveFailed) {
                ui.MessageBox(QStringLiteral("Error:\nCan't save image: ") + path, MsgButtons::Ok, MsgIcon::Exclamation);
                result.failed = true;
                break;
            }
            if (outcome->kind == PictureOutcome::CopyFailed) {
                const CopyOutcome copy = CopyWithRetry(picture.source, path, ui);
                if (copy == CopyOutcome::Aborted) result.aborted = true;
                if (copy != CopyOutcome::Copied) continue;
            } else {
                picture.problem = outcome->problem;
            }
        }
        outputs.current.Record(outputs.folder, picture.name, keys[i], FactsOf(picture));
        outputs.current.Record(outputs.folder, picture.thumbnail, keys[i]);
        ui.SetStatusText(0, QStringLiteral("Creating: ") + path);
        ui.ProgressStep();
    }
    pool.Stop();
    ui.ProgressEnd();
    if (!result.aborted) ui.SetStatusText(0, QStringLiteral("End, graphic conversion."));
    return result;
}
