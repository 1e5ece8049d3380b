#include "DrawDialogs.h"
