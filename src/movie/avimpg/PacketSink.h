#pragma once

#include <functional>

struct AVPacket;

// Where an encoder's packets go, in the encoder's time base.
using PacketSink = std::function<void(AVPacket*)>;
