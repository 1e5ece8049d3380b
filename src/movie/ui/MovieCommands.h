#pragma once

#include "platform/CommandTarget.h"

class CAlboraDoc;
class QWidget;
class UiServices;

// "&Make movie from album..." and "Make MPEG movie from AVI..." of the Utilities menu.
class MovieCommands : public CommandTarget {
public:
    MovieCommands(CAlboraDoc& doc, UiServices& ui, QWidget* parent);

private:
    void MakeMovie();

    CAlboraDoc& m_doc;
    UiServices& m_ui;
    QWidget* m_parent;
};
