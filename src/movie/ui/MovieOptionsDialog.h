#pragma once

#include "movie/AlbumMovie.h"

#include "platform/widgets/FormDialog.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

// What the album's movie holds besides its pictures: the sound notes, the card captions, and a
// frame every picture is fitted into.
class MovieOptionsDialog : public FormDialog {
    Q_OBJECT

public:
    MovieOptionsDialog(const AlbumMovieOptions& options, QWidget* parent);
    AlbumMovieOptions Options() const;

private:
    QCheckBox* m_sound;
    QCheckBox* m_captions;
    QCheckBox* m_fit;
    QSpinBox* m_width;
    QSpinBox* m_height;
    QComboBox* m_filter;
};
