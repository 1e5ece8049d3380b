#pragma once

#include "DrawObjects.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

// The drawing the album document holds: page size and paper, the objects in drawing order (the
// last on top), and the .adw file they are kept in.
class DrawPage {
public:
    static constexpr std::uint32_t kMagic = 0x57444241;  // "ABDW"
    static constexpr std::uint16_t kVersion = 7;
    static constexpr std::uint16_t kReadOnly = 4;
    static constexpr std::int32_t kClearedWidth = 799, kClearedHeight = 1024;
    // The largest annotation read: far beyond any drawing, short of what memory allows.
    static constexpr qint64 kMaxFileBytes = qint64(256) << 20;
    static inline const QString kUnnamed = QStringLiteral("unnamed.adw");
    // The clipboard carries copied objects under this type.
    static inline const QString kClipboardMimeType = QStringLiteral("application/x-marenkis-albodraw");
    // Annotation time stamps.
    static constexpr const char* kTimeFormat = "%d/%m/%y  %H:%M";

    // What a read found: whether it took the whole file, and why not.
    struct ReadResult {
        bool complete = true;
        // The message for a file that is no annotation or too new a one; reading stopped before the objects.
        QString refusal;
        // Why the objects stopped early, the objects before staying; or, with a refusal, why it came.
        QString error;
    };

    DrawPage() = default;
    DrawPage(const DrawPage&) = delete;
    DrawPage& operator=(const DrawPage&) = delete;

    bool IsReadOnly() const { return pageFlags & kReadOnly; }
    // Appends OBJECT (and takes it as its document); refused on a read-only page.
    bool Add(const std::shared_ptr<CDrawObj>& object);
    // Takes OBJECT off the page; it lives on with whoever else holds it.
    void Remove(const CDrawObj* object);
    std::shared_ptr<CDrawObj> Find(const CDrawObj* object) const;
    int IndexOf(const CDrawObj* object) const;
    // The topmost object that touches the unit square at POINT.
    CDrawObj* ObjectAt(PagePoint point) const;
    // Every object, first to last, then the handles of those SELECTED says are selected. With an
    // AREA, objects that cannot reach it are skipped.
    void DrawAll(QPainter& painter, const std::function<bool(const CDrawObj*)>& selected = {},
                 const QRectF* area = nullptr) const;
    // No objects, "unnamed.adw", 799 x 1024; flags, paper, creation time and saved state stay.
    void Clear();
    // A replaced page (another card's, a loaded or new one) starts writable.
    void ResetFlags() { pageFlags = 1; }

    // The .adw bytes, with the time of writing; sets saved.
    QByteArray Serialize();
    // Reads an annotation into the page: the header replaces the page's, the objects are appended.
    ReadResult Deserialize(QByteArrayView bytes);

    // Copied objects as the clipboard carries them: a list in the archive's object numbering.
    static QByteArray ClipboardPayload(const std::vector<const CDrawObj*>& objects);
    // The objects of a payload; ERROR tells why it stopped early.
    static std::vector<std::shared_ptr<CDrawObj>> ReadClipboardPayload(QByteArrayView bytes, QString* error = nullptr);

    // Told to redraw: hint 1 the whole page, 2 one object's area.
    std::function<void(int hint, const CDrawObj* object)> notify;
    // Finds the file a link names, on this computer.
    std::function<QString(const QString& text)> linkResolver;

    void Repaint(const CDrawObj* object) const;
    void RedrawAll() const;
    void SetModified() { saved = 0; }
    QString ResolveLink(const QString& text) const { return linkResolver ? linkResolver(text) : text; }

    std::uint16_t pageFlags = 1;
    QString createdText;
    std::int32_t pageWidth = kClearedWidth, pageHeight = kClearedHeight;
    ColorRef paperColor = 0xFFFFFF;
    std::vector<std::shared_ptr<CDrawObj>> objects;
    QString annotationPath = kUnnamed;
    int saved = 1;
};

// The annotation file named after a card's picture: its file name cut at the first dot, ".adw".
QString AnnotationFileName(const QString& graphic);
