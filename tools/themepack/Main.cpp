// themepack: the command line that writes theme packages and shows what they hold.
#include <cstdio>
#include <cstring>

#include "ProductVersion.h"
#include "tools/themepack/Commands.h"

namespace {

const char kUsage[] =
    "Usage:\n"
    "  themepack create --stub STUB -o OUT.exe [--side-image BMP] [--description TXT]\n"
    "                   [--preview BMP] PATTERN=FILE...\n"
    "  themepack inspect PACKAGE\n"
    "  themepack extract PACKAGE --root DIR\n"
    "  themepack --help | --version\n"
    "\n"
    "create   writes a theme package: the installer program STUB, then a ZIP archive\n"
    "         of the FILEs followed by the PackHead entry, then the trailer. OUT.exe\n"
    "         is replaced only once it is complete.\n"
    "         PATTERN is where the installer puts FILE. It starts with one of\n"
    "         %ThemeDir% (the folder the user chooses), %WinDir%, %SysDir% or\n"
    "         %FontDir%, e.g. %ThemeDir%Blue\\Blue.theme=blue.theme; '/' in a\n"
    "         PATTERN is stored as '\\'. PATTERN ends at the first '='. Files are\n"
    "         installed in the order given.\n"
    "         --side-image BMP   picture for the left of every wizard page\n"
    "         --description TXT  text for the description page; its line ends are\n"
    "                            stored as CR LF\n"
    "         --preview BMP      picture for the preview page\n"
    "         BMP files are Windows bitmap files.\n"
    "inspect  shows the trailer, the PackHead fields, the optional parts, every\n"
    "         pattern with its archive entry, what would install badly, and the\n"
    "         verdict: OK, or the installer's message when it rejects the package.\n"
    "extract  unpacks PACKAGE as the installer would, with its rules and its log\n"
    "         lines, into DIR/ThemeDir, DIR/WinDir, DIR/SysDir and DIR/FontDir,\n"
    "         which stand in for the four folders, e.g.\n"
    "         themepack extract blue.exe --root preview\n"
    "         No file is replaced. Fonts are written, not registered. The\n"
    "         installer makes folders only in the theme folder; extract makes the\n"
    "         other stand-ins' folders too, with a warning. Exit status 1 when the\n"
    "         installer would report errors.\n"
    "\n"
    "Exit status: 0 done; 1 failed, or the installer rejects the package;\n"
    "2 wrong command line.\n";

bool IsHelp(const char* argument)
{
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0 ||
           std::strcmp(argument, "help") == 0;
}

}  // namespace

void PrintUsage(FILE* stream)
{
    std::fputs(kUsage, stream);
}

void ReportError(const std::string& message)
{
    std::fprintf(stderr, "themepack: %s\n", message.c_str());
}

void ReportWarning(const std::string& message)
{
    std::fprintf(stderr, "themepack: warning: %s\n", message.c_str());
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintUsage(stderr);
        return ExitUsage;
    }
    const char* command = argv[1];
    if (IsHelp(command)) {
        PrintUsage(stdout);
        return ExitSuccess;
    }
    if (std::strcmp(command, "--version") == 0) {
        std::printf("themepack %s\n", PRODUCT_VERSION_TEXT);
        return ExitSuccess;
    }
    if (std::strcmp(command, "create") == 0)
        return RunCreate(argc - 2, argv + 2);
    if (std::strcmp(command, "inspect") == 0)
        return RunInspect(argc - 2, argv + 2);
    if (std::strcmp(command, "extract") == 0)
        return RunExtract(argc - 2, argv + 2);
    ReportError(std::string("unknown command '") + command + "' (try themepack --help)");
    return ExitUsage;
}
