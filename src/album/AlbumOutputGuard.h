#pragma once

#include "platform/OutputGuard.h"

class CAlboraDoc;

// A guard that protects what the open album holds: the album file and every card's file (of the
// whole album, not only a search result) with its sound note and draw annotation, as they are
// found on this computer.
OutputGuard GuardOfAlbum(const CAlboraDoc& doc);
