// InstallerMessages: the load failures' message texts.
#include "package/InstallerMessages.h"

const char* LoadFailureMessage(LoadFailure failure)
{
    switch (failure) {
    case LoadFailure::None:
        return nullptr;
    case LoadFailure::CannotOpen:
        return "Failed to open package!";
    case LoadFailure::NoTrailer:
        return "Not a valid theme package!";
    case LoadFailure::NoTemporaryFile:
        return "Failed to create temporary file!";
    case LoadFailure::NotAnArchive:
    case LoadFailure::NoPackHead:
    case LoadFailure::BadHeader:
    case LoadFailure::PartTooLarge:
        return "Corrupted theme package!";
    }
    return nullptr;
}
