#pragma once

#include "image/CImageObject.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

// One frame as the scanner announces it (SANE's parameters, without the library's types so the
// assembly can be fuzzed and tested alone).
struct ScanFrameFormat {
    enum Kind { Grey, Rgb, Red, Green, Blue };
    Kind kind = Grey;
    bool lastFrame = true;
    int bytesPerLine = 0;
    int pixelsPerLine = 0;
    int lines = -1;  // -1: not known before the end (hand scanners)
    int depth = 8;
};

// Turns the frames of one page into a DIB: colour as 24-bit, grey as 8-bit with a grey palette,
// lineart as 1-bit black and white; 16-bit samples keep their high byte. Every size is checked
// before anything is allocated, and bytes beyond the announced lines are dropped.
class ScanAssembler {
public:
    // False, with Error(), when the frame is refused (an impossible or too large format, or one
    // that does not match the page's first frame).
    bool BeginFrame(const ScanFrameFormat& format);
    // False, with Error(), when an unknown height grows past the pixel limit.
    bool Add(const std::uint8_t* data, std::size_t size);
    void EndFrame();
    // The last frame of the page has ended.
    bool Complete() const { return m_complete; }
    // The page as far as it came; invalid (with Error()) when no line arrived.
    CImageObject Take();
    const QString& Error() const { return m_error; }
    // The announced height, or the lines so far when it is not known.
    int ExpectedLines() const;
    int LinesDone() const { return m_line; }

private:
    bool Refuse(const QString& reason);
    void StoreLine(const std::uint8_t* line);
    bool GrowTo(int lines);
    // A picture of the page's kind, LINES high, with its palette.
    bool CreatePicture(CImageObject& picture, int lines);
    // Where line LINE of the page (top first) is kept.
    std::uint8_t* Row(int line);

    ScanFrameFormat m_format;
    bool m_begun = false;
    bool m_complete = false;
    bool m_colour = false;   // the page is 24-bit
    bool m_lineart = false;  // 1-bit grey
    int m_width = 0;
    int m_height = -1;  // fixed by the first frame, -1 while unknown
    int m_rowBytes = 0;
    int m_line = 0;      // lines of the current frame stored
    int m_maxLines = 0;  // lines the page holds so far (the most any frame gave)
    std::vector<std::uint8_t> m_pending;  // the part of a line not yet complete
    bool m_direct = false;                // the height was known from the start
    CImageObject m_picture;               // the page then
    std::vector<std::uint8_t> m_rows;     // else the page, top row first, in DIB row layout
    QString m_error;
};
