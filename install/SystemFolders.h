// SystemPathVariables: the installer's path variable values, from the system's own folders.
#pragma once

#include "package/PathVariables.h"

// %ThemeDir% is destination, the folder accepted on the destination page;
// the others are the system's Windows, system and fonts folders.
PathVariables SystemPathVariables(const String& destination);
