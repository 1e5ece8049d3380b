#include "VideoModes.h"

#include "platform/media/GstSupport.h"

#include <gst/gst.h>

#include <QSet>
#include <array>
#include <cmath>

namespace {

constexpr std::array<std::array<int, 2>, 10> kUsualSizes{{{160, 120}, {176, 144}, {320, 240}, {352, 288}, {640, 480},
                                                          {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}, {1920, 1080}}};
constexpr std::array<double, 10> kUsualRates{5, 7.5, 10, 15, 20, 24, 25, 30, 50, 60};
// The raw formats cameras send; a source offering every format there is (a test source) is
// offered these.
const QSet<QString> kCameraFormats{"YUY2", "YVYU", "UYVY", "NV12", "NV21", "I420", "YV12", "RGB",
                                   "BGR",  "BGRx", "xRGB", "RGB16", "GRAY8", "GRAY16_LE"};

bool InRange(const GValue* value, int v) {
    if (G_VALUE_HOLDS_INT(value)) return g_value_get_int(value) == v;
    if (GST_VALUE_HOLDS_INT_RANGE(value)) return v >= gst_value_get_int_range_min(value) && v <= gst_value_get_int_range_max(value);
    if (GST_VALUE_HOLDS_LIST(value))
        for (guint i = 0; i < gst_value_list_get_size(value); ++i)
            if (InRange(gst_value_list_get_value(value, i), v)) return true;
    return false;
}

// The fixed values of an integer field, alone or in a list.
std::vector<int> Fixed(const GValue* value) {
    std::vector<int> out;
    if (G_VALUE_HOLDS_INT(value)) out.push_back(g_value_get_int(value));
    if (GST_VALUE_HOLDS_LIST(value))
        for (guint i = 0; i < gst_value_list_get_size(value); ++i)
            for (int v : Fixed(gst_value_list_get_value(value, i))) out.push_back(v);
    return out;
}

// The sizes of a structure: its fixed ones, or the usual ones inside its ranges.
std::vector<QSize> Sizes(const GstStructure* s) {
    const GValue* width = gst_structure_get_value(s, "width");
    const GValue* height = gst_structure_get_value(s, "height");
    std::vector<QSize> out;
    if (!width || !height) return out;
    const std::vector<int> widths = Fixed(width), heights = Fixed(height);
    if (!widths.empty() && !heights.empty()) {
        for (int w : widths)
            for (int h : heights) out.emplace_back(w, h);
        return out;
    }
    for (const auto& size : kUsualSizes)
        if (InRange(width, size[0]) && InRange(height, size[1])) out.emplace_back(size[0], size[1]);
    return out;
}

double Rate(const GValue* fraction) {
    const int d = gst_value_get_fraction_denominator(fraction);
    return d ? double(gst_value_get_fraction_numerator(fraction)) / d : 0;
}

std::vector<double> Rates(const GValue* value) {
    std::vector<double> out;
    if (!value) return {0};
    if (GST_VALUE_HOLDS_FRACTION(value)) {
        if (Rate(value) > 0) out.push_back(Rate(value));
    } else if (GST_VALUE_HOLDS_FRACTION_RANGE(value)) {
        const double low = Rate(gst_value_get_fraction_range_min(value)), high = Rate(gst_value_get_fraction_range_max(value));
        for (double rate : kUsualRates)
            if (rate >= low && rate <= high) out.push_back(rate);
    } else if (GST_VALUE_HOLDS_LIST(value)) {
        for (guint i = 0; i < gst_value_list_get_size(value); ++i)
            for (double r : Rates(gst_value_list_get_value(value, i))) out.push_back(r);
    }
    // A variable rate (0/1) or one outside the usual: the camera's own choice.
    if (out.empty()) out.push_back(0);
    return out;
}

QStringList Encodings(const GstStructure* s) {
    const QString media = QString::fromUtf8(gst_structure_get_name(s));
    if (media == QLatin1String("image/jpeg")) return {media};
    if (media != QLatin1String("video/x-raw")) return {};
    const GValue* format = gst_structure_get_value(s, "format");
    QStringList out;
    QStringList others;
    const auto add = [&](const GValue* v) {
        if (!G_VALUE_HOLDS_STRING(v)) return;
        const QString name = QString::fromUtf8(g_value_get_string(v));
        (kCameraFormats.contains(name) ? out : others) << QStringLiteral("video/x-raw,format=%1").arg(name);
    };
    if (format && GST_VALUE_HOLDS_LIST(format)) {
        for (guint i = 0; i < gst_value_list_get_size(format); ++i) add(gst_value_list_get_value(format, i));
    } else if (format) {
        add(format);
    }
    // A camera of unusual formats only still offers them.
    return out.isEmpty() ? others : out;
}

// The caps the source offers once it has opened its device.
GstCaps* OfferedCaps(const QString& source, QString* error) {
    if (!EnsureGstreamer()) {
        if (error) *error = QStringLiteral("GStreamer cannot be started");
        return nullptr;
    }
    GError* parseError = nullptr;
    // A source may end in caps, which need an element after them to be read as caps.
    GstElement* bin = gst_parse_bin_from_description((source + QStringLiteral(" ! identity")).toUtf8().constData(), TRUE,
                                                     &parseError);
    if (!bin) {
        if (error) *error = QString::fromUtf8(parseError ? parseError->message : "the source cannot be made");
        g_clear_error(&parseError);
        return nullptr;
    }
    g_clear_error(&parseError);
    GstCaps* caps = nullptr;
    if (gst_element_set_state(bin, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE) {
        GstPad* pad = gst_element_get_static_pad(bin, "src");
        if (pad) caps = gst_pad_query_caps(pad, nullptr);
        if (pad) gst_object_unref(pad);
    } else if (error) {
        *error = QStringLiteral("the camera cannot be opened");
    }
    gst_element_set_state(bin, GST_STATE_NULL);
    gst_object_unref(bin);
    return caps;
}

}  // namespace

std::vector<VideoFormat> SourceModes(const QString& source, QString* error) {
    std::vector<VideoFormat> modes;
    GstCaps* caps = OfferedCaps(source, error);
    if (!caps) return modes;
    QSet<QString> seen;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const GstStructure* s = gst_caps_get_structure(caps, i);
        const std::vector<QSize> sizes = Sizes(s);
        const std::vector<double> rates = Rates(gst_structure_get_value(s, "framerate"));
        for (const QString& encoding : Encodings(s)) {
            for (const QSize& size : sizes)
                for (double rate : rates) {
                    const QString key = QStringLiteral("%1 %2x%3 %4").arg(encoding).arg(size.width()).arg(size.height()).arg(rate);
                    if (seen.contains(key)) continue;
                    seen.insert(key);
                    modes.push_back({size, rate, encoding});
                }
        }
    }
    gst_caps_unref(caps);
    return modes;
}

QString EncodingName(const QString& encoding) {
    if (encoding.startsWith(QLatin1String("image/jpeg"))) return QStringLiteral("MJPG");
    const qsizetype at = encoding.indexOf(QLatin1String("format="));
    return at < 0 ? encoding : encoding.mid(at + 7);
}
