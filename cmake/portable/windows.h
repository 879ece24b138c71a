/* Stands in for the system's windows.h in the portable parts, whose sources
   must build on any system: including it there stops the build. */
#error "a portable part includes <windows.h>: keep Windows code out of package/"
