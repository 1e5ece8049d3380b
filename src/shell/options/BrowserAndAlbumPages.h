#pragma once

#include "OptionsPage.h"

// "Drop and Browser": the file mask of the browsers and how dropped and browsed files are named.
class DropBrowserPage : public OptionsPage {
    Q_OBJECT

public:
    explicit DropBrowserPage(QWidget* parent = nullptr);
};

// "Album": what happens to cards after a photo and on delete, new-album folders, and the
// description limit, which lasts for the run only.
class AlbumPage : public OptionsPage {
    Q_OBJECT

public:
    explicit AlbumPage(QWidget* parent = nullptr);
    void Load(const CAppSettings& settings) override;
    void Store(CAppSettings& settings) const override;

private:
    NumberEdit* m_descriptionLimit;
};
