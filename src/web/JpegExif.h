#pragma once

#include <QByteArray>

// What a published JPEG keeps of its camera's notes.
struct ExifPolicy {
    // Where it was taken and whose camera it was (GPS, serial numbers, owner and artist names,
    // maker note, XMP and IPTC blocks); a site is public, so they go unless the user keeps them.
    bool keepLocationAndOwner = false;
    // The pixels were turned upright: the orientation tag then says so.
    bool upright = false;
};

// JPEG with its metadata segments (those before the first scan) edited as POLICY says, the
// pixels' bytes untouched. The EXIF
// entries that go are unlinked and their values overwritten in place, so no offset moves; an
// EXIF block too damaged to edit safely goes whole. A JPEG whose segments cannot be walked is
// returned empty.
QByteArray PublishableJpeg(const QByteArray& jpeg, const ExifPolicy& policy);

// The EXIF segment (marker included) of JPEG, edited as POLICY says; empty when there is none.
QByteArray PublishableExifSegment(const QByteArray& jpeg, const ExifPolicy& policy);

// ENCODED, a JPEG just written, with SEGMENT put after its opening segments.
QByteArray WithSegment(const QByteArray& encoded, const QByteArray& segment);
