#include "VideoEncoder.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace {

AVRational ToAv(Rational value) { return av_make_q(int(value.num), int(value.den)); }

// What avimpg decides itself; a parameter file that changes it would break the picture pipeline.
struct FrameSetup {
    int width;
    int height;
    AVPixelFormat format;
    AVRational timeBase;
    AVRational rate;

    explicit FrameSetup(const AVCodecContext& c)
        : width(c.width),
          height(c.height),
          format(c.pix_fmt),
          timeBase(c.time_base),
          rate(c.framerate) {}
    bool operator==(const FrameSetup& o) const {
        return width == o.width && height == o.height && format == o.format &&
               av_cmp_q(timeBase, o.timeBase) == 0 && av_cmp_q(rate, o.rate) == 0;
    }
};

void ApplyParameters(AVCodecContext* encoder, const EncoderSettings& settings,
                     const std::string& parameterFile) {
    const FrameSetup before(*encoder);
    for (const EncoderParameter& parameter : settings.parameters) {
        const std::string where = parameterFile + ":" + std::to_string(parameter.line);
        const int set = av_opt_set(encoder, parameter.name.c_str(), parameter.value.c_str(),
                                   AV_OPT_SEARCH_CHILDREN);
        if (set == AVERROR_OPTION_NOT_FOUND)
            throw AvimpgError("unknown video encoder setting \"" + parameter.name + "\"", where);
        if (set < 0)
            throw AvimpgError("bad value \"" + parameter.value + "\" for " + parameter.name, where);
        if (!(FrameSetup(*encoder) == before))
            throw AvimpgError(
                parameter.name +
                    " cannot be set here: avimpg sets the picture size, format and rate",
                where);
    }
}

}  // namespace

CodecContextPtr ConfigureVideoEncoder(EncoderSettings& settings, const std::string& parameterFile) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG1VIDEO);
    if (!codec) throw AvimpgError("this libavcodec has no MPEG-1 video encoder");
    CodecContextPtr encoder(avcodec_alloc_context3(codec));
    if (!encoder) throw AvimpgError("out of memory");

    const PictureSize frame = settings.layout ? settings.layout->frame : PictureSize{352, 240};
    const Rational rate = settings.frameRate.value_or(Rational{30000, 1001});
    encoder->width = frame.width;
    encoder->height = frame.height;
    encoder->pix_fmt = AV_PIX_FMT_YUV420P;
    encoder->framerate = ToAv(rate);
    encoder->time_base = av_inv_q(encoder->framerate);
    if (settings.layout) encoder->sample_aspect_ratio = ToAv(settings.layout->sampleAspect);
    encoder->bit_rate = settings.videoBitrate;
    encoder->rc_max_rate = settings.videoMaxrate;
    encoder->rc_buffer_size = int(settings.vbvBits);
    encoder->gop_size = settings.gopSize;
    encoder->max_b_frames = settings.bFrames;
    encoder->thread_count = 0;
    av_opt_set_int(encoder.get(), "me_range", settings.meRange, AV_OPT_SEARCH_CHILDREN);

    ApplyParameters(encoder.get(), settings, parameterFile);

    settings.videoBitrate = encoder->bit_rate;
    settings.videoMaxrate = encoder->rc_max_rate;
    settings.vbvBits = encoder->rc_buffer_size;
    settings.gopSize = encoder->gop_size;
    settings.bFrames = encoder->max_b_frames;
    int64_t meRange = 0;
    if (av_opt_get_int(encoder.get(), "me_range", AV_OPT_SEARCH_CHILDREN, &meRange) >= 0)
        settings.meRange = int(meRange);
    return encoder;
}
