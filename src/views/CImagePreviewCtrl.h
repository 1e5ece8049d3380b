#pragma once

#include "ThumbnailLoader.h"

#include <QWidget>

// One cell of the contact sheet: a thumbnail on white inside a sunken edge, or the two diagonals
// when the picture could not be read, with its number above and its file name below.
class CImagePreviewCtrl : public QWidget {
    Q_OBJECT

public:
    explicit CImagePreviewCtrl(QWidget* parent);

    void SetCaptions(const QString& top, const QString& bottom);
    // The thumbnail has come: "%dx%d pixels\r%d bits" when the picture was read.
    void SetResult(const ThumbnailLoader::Result& result);
    // Back to the empty cell: nothing asked for, nothing failed.
    void Clear();
    bool Loaded() const { return m_loaded; }
    bool HasResult() const { return m_hasResult; }
    const QString& Info() const { return m_info; }
    const QString& TopCaption() const { return m_top; }
    const QString& BottomCaption() const { return m_bottom; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_top, m_bottom;
    QString m_info = QStringLiteral("No info");
    QImage m_image;
    bool m_loaded = false;
    bool m_hasResult = false;
};
