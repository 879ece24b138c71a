// themepack: the command line that writes theme packages and shows what they hold.
#include <cstdio>
#include <cstring>

#include "ProductVersion.h"
#include "tools/themepack/Commands.h"

namespace {

const char kUsage[] =
    "Usage:\n"
    "  themepack create --stub STUB -o OUT.exe [--side-image BMP] [--description TXT]\n"
    "                   [--preview BMP] [--codepage N] PATTERN=FILE...\n"
    "  themepack build PACKAGEFILE [--stub STUB] [-o OUT.exe] [--codepage N]\n"
    "  themepack inspect PACKAGE [--json] [--codepage N]\n"
    "  themepack list PACKAGE [--json] [--codepage N]\n"
    "  themepack extract PACKAGE --root DIR [--codepage N]\n"
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
    "         e.g. themepack create --stub themesetup.exe -o Blue.exe \\\n"
    "              %ThemeDir%Blue.theme=blue.theme\n"
    "build    writes the package that PACKAGEFILE describes, as create would: its\n"
    "         [Package] section names the Output, Stub, SideImage, Description and\n"
    "         Preview files and the CodePage, its [Files] section has one\n"
    "         PATTERN=FILE line per file, in install order. Paths are relative to\n"
    "         PACKAGEFILE's folder.\n"
    "         --stub and -o replace its Stub and Output.\n"
    "         e.g. themepack build Aurora.themepack --stub build/themesetup.exe\n"
    "inspect  shows the trailer, the PackHead fields, the optional parts, every\n"
    "         pattern with its archive entry, what would install badly, and the\n"
    "         verdict: OK, or the installer's message when it rejects the package.\n"
    "         e.g. themepack inspect aurora.exe\n"
    "list     one line per file in install order: pattern, archive entry, size,\n"
    "         CRC-32, the font list entry of a font, and '! why' after a file the\n"
    "         installer would not install as named. A package the installer\n"
    "         rejects gives its message.\n"
    "         e.g. themepack list aurora.exe\n"
    "extract  unpacks PACKAGE as the installer would, with its rules and its log\n"
    "         lines, into DIR/ThemeDir, DIR/WinDir, DIR/SysDir and DIR/FontDir,\n"
    "         which stand in for the four folders. No file is replaced. Fonts are\n"
    "         written, not registered. The installer makes folders only in the\n"
    "         theme folder; extract makes the other stand-ins' folders too, with a\n"
    "         warning. Exit status 1 when the installer would report errors.\n"
    "         e.g. themepack extract aurora.exe --root preview\n"
    "--json   (inspect, list) the same as one JSON document, also for a rejected\n"
    "         package, in UTF-8.\n"
    "         e.g. themepack list aurora.exe --json\n"
    "--codepage N\n"
    "         the Windows code page the package's names are in, as the installer\n"
    "         reads them on the user's system: 1252 (Western) unless given.\n"
    "         create and build store names typed in UTF-8 (package files,\n"
    "         description files, Linux command lines) in it, and stop at a\n"
    "         character it cannot hold; build also reads a CodePage key in\n"
    "         [Package]. inspect, list and extract read names in it.\n"
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

int ReportUsageError(const std::string& message)
{
    ReportError(message + " (try themepack --help)");
    return ExitUsage;
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
    if (std::strcmp(command, "build") == 0)
        return RunBuild(argc - 2, argv + 2);
    if (std::strcmp(command, "list") == 0)
        return RunList(argc - 2, argv + 2);
    if (std::strcmp(command, "extract") == 0)
        return RunExtract(argc - 2, argv + 2);
    ReportError(std::string("unknown command '") + command + "' (try themepack --help)");
    return ExitUsage;
}
