#pragma once

class CImageObject;
class QRect;

// Pictures on the system clipboard.
namespace ImageClipboard {

// The whole picture as a drawing (SVG, standing for the enhanced metafile: 100 pixels to the
// inch) and as a bitmap.
void CopyWholeImage(const CImageObject& image);
// A bitmap only.
void CopyBitmap(const CImageObject& image);

}  // namespace ImageClipboard
