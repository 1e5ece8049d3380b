#include "PlayableTypes.h"

#include "GstSupport.h"

#include <gst/gst.h>

namespace {

// Whether an element can take what CAPS describe: some demuxer, parser or decoder accepts it.
bool Handled(GstCaps* caps, GList* handlers) {
    GList* able = gst_element_factory_list_filter(handlers, caps, GST_PAD_SINK, FALSE);
    const bool any = able != nullptr;
    gst_plugin_feature_list_free(able);
    return any;
}

}  // namespace

QStringList PlayableExtensions(const QStringList& extensions) {
    if (!EnsureGstreamer()) return {};
    GList* handlers = gst_element_factory_list_get_elements(
        GST_ELEMENT_FACTORY_TYPE_DEMUXER | GST_ELEMENT_FACTORY_TYPE_PARSER | GST_ELEMENT_FACTORY_TYPE_DECODER,
        GST_RANK_MARGINAL);
    GList* finders = gst_type_find_factory_get_list();
    QStringList playable;
    for (const QString& extension : extensions) {
        bool found = false;
        for (GList* f = finders; f && !found; f = f->next) {
            auto* finder = GST_TYPE_FIND_FACTORY(f->data);
            const gchar* const* known = gst_type_find_factory_get_extensions(finder);
            for (; known && *known && !found; ++known) {
                if (extension.compare(QLatin1String(*known), Qt::CaseInsensitive) != 0) continue;
                GstCaps* caps = gst_type_find_factory_get_caps(finder);
                found = caps && Handled(caps, handlers);
            }
        }
        if (found) playable << extension;
    }
    gst_plugin_feature_list_free(finders);
    gst_plugin_feature_list_free(handlers);
    return playable;
}
