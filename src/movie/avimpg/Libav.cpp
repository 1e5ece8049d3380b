#include "Libav.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <utility>

namespace {

std::mutex g_messageLock;
std::string g_lastMessage;

void KeepMessage(void*, int level, const char* format, va_list args) {
    if (level > AV_LOG_ERROR) return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::string message(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    if (message.empty()) return;
    const std::lock_guard lock(g_messageLock);
    g_lastMessage = message;
}

std::string TakeMessage() {
    const std::lock_guard lock(g_messageLock);
    return std::exchange(g_lastMessage, {});
}

}  // namespace

void CaptureLibavMessages() { av_log_set_callback(KeepMessage); }

void Check(int code, const std::string& what) {
    if (code < 0) Fail(code, what);
    TakeMessage();
}

void Fail(int code, const std::string& what) {
    std::string cause = TakeMessage();
    if (cause.empty()) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(code, text, sizeof text);
        cause = text;
    }
    throw AvimpgError(what + ": " + cause);
}

FramePtr NewFrame() {
    FramePtr frame(av_frame_alloc());
    if (!frame) throw AvimpgError("out of memory");
    return frame;
}

PacketPtr NewPacket() {
    PacketPtr packet(av_packet_alloc());
    if (!packet) throw AvimpgError("out of memory");
    return packet;
}
