#include "AlbumFile.h"

#include "platform/RegularFile.h"
#include "platform/SafeFile.h"

#include <gsf/gsf.h>
#include <mutex>

namespace {

constexpr char kStreamName[] = "Contents";
// Albums of a few hundred thousand cards take some tens of megabytes; far beyond that the file
// is not an album.
constexpr qint64 kMaxAlbumFileBytes = qint64(1) << 30;

// libgsf reports a damaged compound file through failed assertions on stderr before its call
// fails; the caller says in its own words that the album cannot be read, so they stay quiet.
void IgnoreGsfMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

void InitGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        for (const char* domain : {"libgsf", "libgsf:msole"})
            g_log_set_handler(domain, GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING), IgnoreGsfMessage,
                              nullptr);
    });
}

template <class T>
struct GObjectDeleter {
    void operator()(T* object) const {
        if (object) g_object_unref(object);
    }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

}  // namespace

namespace AlbumFile {

std::optional<QByteArray> StreamOfCompoundFile(const QByteArray& data) {
    InitGsf();
    GObjectPtr<GsfInput> input(gsf_input_memory_new(
        reinterpret_cast<const guint8*>(data.constData()), data.size(), FALSE));
    if (!input) return std::nullopt;
    GObjectPtr<GsfInfile> infile(gsf_infile_msole_new(input.get(), nullptr));
    if (!infile) return std::nullopt;
    // The format ignores case in stream names; libgsf's lookup by name does not.
    const int children = gsf_infile_num_children(infile.get());
    for (int i = 0; i < children; ++i) {
        const char* name = gsf_infile_name_by_index(infile.get(), i);
        if (!name || g_ascii_strcasecmp(name, kStreamName) != 0) continue;
        GObjectPtr<GsfInput> stream(gsf_infile_child_by_index(infile.get(), i));
        if (!stream) return std::nullopt;
        const gsf_off_t size = gsf_input_size(stream.get());
        // A stream is never larger than the file that holds it.
        if (size < 0 || size > data.size()) return std::nullopt;
        QByteArray contents(static_cast<qsizetype>(size), Qt::Uninitialized);
        if (size > 0 && !gsf_input_read(stream.get(), size,
                                        reinterpret_cast<guint8*>(contents.data())))
            return std::nullopt;
        return contents;
    }
    return std::nullopt;
}

std::optional<QByteArray> ReadContents(const QString& path, QString* reason) {
    // A pipe or a device named like an album would otherwise be waited on or read without end.
    const std::optional<QByteArray> data = ReadRegularFile(path, kMaxAlbumFileBytes, reason);
    if (!data) return std::nullopt;
    if (auto stream = StreamOfCompoundFile(*data)) return stream;
    return data;
}

std::optional<QByteArray> MakeCompoundFile(const QByteArray& contents) {
    InitGsf();
    GObjectPtr<GsfOutput> memory(gsf_output_memory_new());
    GsfOutfile* outfile = gsf_outfile_msole_new(memory.get());
    if (!outfile) return std::nullopt;
    GsfOutput* stream = gsf_outfile_new_child(outfile, kStreamName, FALSE);
    bool ok = stream != nullptr;
    if (ok) {
        ok = gsf_output_write(stream, contents.size(),
                              reinterpret_cast<const guint8*>(contents.constData()));
        ok = gsf_output_close(stream) && ok;
        g_object_unref(stream);
    }
    // Closing the compound writer also closes the memory output it writes to.
    ok = gsf_output_close(GSF_OUTPUT(outfile)) && ok;
    g_object_unref(outfile);
    if (!ok) return std::nullopt;
    const auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    const gsf_off_t size = gsf_output_size(memory.get());
    return QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
}

bool WriteContents(const QString& path, const QByteArray& contents, QString* error) {
    const auto compound = MakeCompoundFile(contents);
    if (!compound) {
        if (error) *error = QStringLiteral("cannot build the compound file");
        return false;
    }
    SafeFile::RemoveLeftovers(path);
    return SafeFile::Write(path, *compound, error);
}

}  // namespace AlbumFile
