#pragma once

#include <Qt>
#include <vector>

// One dockable toolbar of the main window.
struct ToolbarLayout {
    const char* caption;  // also the name its arrangement is saved under
    int toggle;           // the command that shows and hides it; 0 for none
    Qt::ToolBarArea area;
    bool newRow;  // starts a row of its own on its side
    bool large;   // big buttons with their names under the pictures
    std::vector<int> buttons;  // commands in order, 0 a separator
    bool shownAtFirst = true;  // shown before the user has arranged the bars
};

// The thirteen toolbars in the order they are made and docked: on each side a bar follows the
// one before it on that side. At first the bars across the window fill one row above and one
// below the views at 1280 pixels. A bar lists only commands the program carries out: the capture
// and browser commands join their bars with them.
const std::vector<ToolbarLayout>& ToolbarTable();
// The toolbars' show/hide commands in the order the menus list them.
const std::vector<int>& ToolbarToggles();
