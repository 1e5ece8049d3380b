#include "VideoSources.h"

#include "GstSupport.h"

#include <gst/gst.h>

namespace {
constexpr std::size_t kMostDrivers = 10;
}

std::vector<VideoSource> ListVideoSources() {
    std::vector<VideoSource> sources;
    const QString own = qEnvironmentVariable("ALBORA_VIDEO_SOURCE");
    if (!own.trimmed().isEmpty()) sources.push_back({own, own});
    if (!EnsureGstreamer()) return sources;
    GstDeviceMonitor* monitor = gst_device_monitor_new();
    gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
    GList* devices = gst_device_monitor_get_devices(monitor);
    for (GList* d = devices; d && sources.size() < kMostDrivers; d = d->next) {
        auto* device = GST_DEVICE(d->data);
        GstStructure* properties = gst_device_get_properties(device);
        const gchar* path = properties ? gst_structure_get_string(properties, "api.v4l2.path") : nullptr;
        if (!path && properties) path = gst_structure_get_string(properties, "device.path");
        gchar* name = gst_device_get_display_name(device);
        if (path) sources.push_back({QString::fromUtf8(name), QStringLiteral("v4l2src device=%1").arg(QString::fromUtf8(path))});
        g_free(name);
        if (properties) gst_structure_free(properties);
    }
    g_list_free_full(devices, gst_object_unref);
    gst_object_unref(monitor);
    return sources;
}
