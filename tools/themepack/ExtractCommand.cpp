// themepack extract: the installer's own walk over a package, into stand-in folders below a root.
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include "base/CopyStream.h"
#include "base/PathText.h"
#include "base/Text.h"
#include "package/ArchiveReader.h"
#include "package/ExtractionRun.h"
#include "package/InstallerMessages.h"
#include "package/PathVariables.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/PackageReport.h"
#include "tools/themepack/ReportCommand.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The folder standing in for each variable's, below the root.
constexpr const char* kStandIns[] = {"ThemeDir", "WinDir", "SysDir", "FontDir"};

bool IsFolder(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Creates folder and whatever is missing above it, level by level through the
// narrow calls the installer makes, so that on Windows a path too long for
// the installer is too long here as well. False when it is not a folder afterwards.
bool MakeFolder(const std::string& folder)
{
    for (size_t at = folder.find_first_of("/\\", 1);; at = folder.find_first_of("/\\", at + 1)) {
        const std::string level = folder.substr(0, at);
        // A drive ("C:") is there or not; it is never made.
        if (!level.empty() && level.back() != ':' && !IsFolder(level)) {
#ifdef _WIN32
            _mkdir(level.c_str());
#else
            mkdir(level.c_str(), 0777);
#endif
        }
        if (at == std::string::npos || at + 1 == folder.size())
            break;
    }
    return IsFolder(folder.substr(0, folder.find_last_not_of("/\\") + 1));
}

// The walk with the installer's decisions, its files written below stand-in
// folders: nothing is registered, nothing is replaced.
class FolderExtractionRun : public ExtractionRun {
public:
    FolderExtractionRun(const StringList& patterns, const PathVariables& variables)
        : ExtractionRun(patterns, variables), buffer(new char[CopyChunkSize])
    {
    }

    int WrittenCount() const { return written; }

protected:
    // Lines quote the package's patterns, which may hold control characters.
    void AppendLog(const char* line) override
    {
        std::printf("%s\n", Printable(line, std::strlen(line) - 1).c_str());
    }
    void SetProgressPosition(int) override {}
    bool MakeFolders(const char* path) override
    {
        // The installer's rule, so a name without an extension becomes a folder here too.
        return MakeFolder(FolderToMake(path).Text());
    }
    EntryOutcome PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive) override;

private:
    std::unique_ptr<char[]> buffer;
    // Folders made in the Windows, system and fonts stand-ins, each warned of once.
    std::set<std::string> madeOutsideThemes;
    int written = 0;
};

EntryOutcome FolderExtractionRun::PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive)
{
    if (kind == PathKind::Font && !IsFontFile(path.Text())) {
        ReportWarning(std::string("'") + path.Text() + "' is not a .ttf or .otf file: the installer leaves it out");
        return EntryOutcome::Exists;
    }
    if (kind != PathKind::Theme) {
        // The stand-in starts empty; the real folder may hold what the package expects.
        const std::string folder = FolderOf(path.Text());
        if (!folder.empty() && !IsFolder(folder.substr(0, folder.size() - 1)) && MakeFolder(folder) &&
            madeOutsideThemes.insert(folder).second)
            ReportWarning("made folder '" + folder +
                          "': the installer makes no folder outside the theme folder, so the file installs only "
                          "where this folder exists");
    }
    const EntryOutcome outcome = WriteEntryToNewFile(path.Text(), archive, buffer.get());
    if (outcome == EntryOutcome::Written)
        ++written;
    return outcome;
}

// root with one separator at its end.
std::string WithSeparator(std::string root)
{
    while (root.size() > 1 && (root.back() == '/' || root.back() == kSeparator))
        root.pop_back();
    return root + kSeparator;
}

}  // namespace

int RunExtract(int argc, char** argv)
{
    std::string package;
    std::string root;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            PrintUsage(stdout);
            return ExitSuccess;
        }
        if (std::strcmp(argument, "--root") == 0) {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                return ReportUsageError("--root needs a folder");
            }
            if (!root.empty()) {
                return ReportUsageError("--root given twice");
            }
            root = argv[++i];
        } else if (argument[0] == '-' && argument[1] != '\0') {
            return ReportUsageError(std::string("unknown option '") + argument + "'");
        } else if (package.empty() && argument[0] != '\0') {
            package = argument;
        } else {
            return ReportUsageError("extract needs exactly one PACKAGE");
        }
    }
    if (package.empty() || root.empty())
        return ReportUsageError(package.empty() ? "extract needs exactly one PACKAGE"
                                                : "extract: no root given (--root DIR)");

    PackageReport report;
    std::string error;
    if (!LoadPackageFile(package, report, error)) {
        ReportError(error);
        return ExitFailure;
    }
    if (!report.HasHeader()) {
        ReportError(LoadFailureMessage(report.failure));
        return ExitFailure;
    }

    root = WithSeparator(root);
    PathVariables variables;
    String* values[] = {&variables.themeDir, &variables.winDir, &variables.sysDir, &variables.fontDir};
    for (size_t i = 0; i < 4; ++i) {
        const std::string folder = root + kStandIns[i] + kSeparator;
        if (!MakeFolder(folder)) {
            ReportError("cannot create " + Quoted(folder));
            return ExitFailure;
        }
        *values[i] = folder.c_str();
    }

    ArchiveReader archive;
    if (!archive.Open(report.load.archive.Path().Text())) {
        ReportError("cannot open the package's archive copy");
        return ExitFailure;
    }
    FolderExtractionRun run(report.load.patterns, variables);
    const bool success = run.Run(archive);
    std::printf("Wrote %d of %d files below %s\n", run.WrittenCount(), report.load.patterns.Count(),
                root.c_str());
    if (!success) {
        // The first line of the installer's closing text after a failure.
        const std::string text = NotUnpackedText;
        ReportError(text.substr(0, text.find('\n')));
        return ExitFailure;
    }
    return ExitSuccess;
}
