// albora: the image album manager.
#include "shell/AlboraApplication.h"

int main(int argc, char** argv) { return AlboraApplication::Run(argc, argv); }
