#pragma once

#include <QStringList>

// The start and stop of the GUI program: settings, the album of the command line, the main
// window, the tip of the day and the welcome dialog; the settings written back at exit.
namespace AlboraApplication {

int Run(int argc, char** argv);

}  // namespace AlboraApplication
