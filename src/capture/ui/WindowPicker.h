#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

class XcbScreen;

// The window pick: the pointer held by the screen's own connection with the up-arrow cursor; the
// window under it framed by a 3-pixel highlight and its title in the feedback line, until the
// left button is released.
namespace WindowPicker {
// Where the left button was released; nullopt when the pointer could not be held or Escape ended
// the pick.
std::optional<QPoint> Pick(XcbScreen& screen, const std::function<void(const QString&)>& feedback);
}  // namespace WindowPicker
