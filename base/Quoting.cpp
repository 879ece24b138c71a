// Quoting: quoted names for messages. A file of its own, so that the
// installer, which quotes nothing, does not link the string class.
#include "base/Text.h"

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}
