// themepack extract: the installer's own walk over a package, into stand-in folders below a root.
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "base/CopyStream.h"
#include "base/FolderMaker.h"
#include "base/HostText.h"
#include "base/PathText.h"
#include "base/Text.h"
#include "package/ArchiveReader.h"
#include "package/ExtractionRun.h"
#include "package/FontFaceName.h"
#include "package/InstallerMessages.h"
#include "package/PathVariables.h"
#include "tools/themepack/CodePage.h"
#include "tools/themepack/CommandArguments.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/Diagnostics.h"
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

// The walk with the installer's decisions, its files written below stand-in
// folders: nothing is registered, nothing is replaced.
class FolderExtractionRun : public ExtractionRun {
public:
    FolderExtractionRun(const StringList& patterns, const PathVariables& variables, const CodePage& names)
        : ExtractionRun(patterns, variables), fontNames(names), buffer(new char[CopyChunkSize])
    {
    }

    int WrittenCount() const { return written; }

protected:
    // Lines quote the package's patterns, which may hold control characters.
    void AppendLog(const char* line) override
    {
        std::printf("%s\n", Printable(std::string(line, std::strlen(line) - 1), CodePage::Host()).c_str());
    }
    void SetProgressPosition(int) override {}
    // The installer's own walk, so a name without an extension becomes a folder here too.
    bool MakeFolders(const char* path) override { return themeFolders.Make(path); }
    EntryOutcome PlaceEntry(PathKind kind, const String& path, ArchiveReader& archive) override;

private:
    const CodePageFontNames fontNames;
    std::unique_ptr<char[]> buffer;
    FolderMaker themeFolders;
    // Folders of the Windows, system and fonts stand-ins, each looked at once.
    std::set<std::string> foldersOutsideThemes;
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
        if (!folder.empty() && foldersOutsideThemes.insert(folder).second &&
            !IsFolder(folder.substr(0, folder.size() - 1).c_str()) && CreateFolders(String(folder.c_str())))
            ReportWarning("made folder '" + folder +
                          "': the installer makes no folder outside the theme folder, so the file installs only "
                          "where this folder exists");
    }
    // A font is named as the installer names it; whether the system has it
    // already, only the installer can tell.
    String faceName;
    const EntryOutcome outcome = kind == PathKind::Font
                                     ? WriteFontEntry(path.Text(), archive, buffer.get(), fontNames, faceName)
                                     : WriteEntryToNewFile(path.Text(), archive, buffer.get());
    if (outcome == EntryOutcome::Written || outcome == EntryOutcome::FontUnnamed)
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
    const OptionSpec rootOption = {"--root", nullptr, "a folder", "no root given (--root DIR)"};
    CommandArguments arguments;
    int status = ExitSuccess;
    if (!arguments.Read({"extract", "PACKAGE", {rootOption}}, argc, argv, status))
        return status;
    const std::string& package = arguments.Operand();
    const CodePage& names = arguments.Page();

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

    const std::string root = WithSeparator(arguments.Value(rootOption.name));
    PathVariables variables;
    String* values[] = {&variables.themeDir, &variables.winDir, &variables.sysDir, &variables.fontDir};
    for (size_t i = 0; i < 4; ++i) {
        const std::string folder = root + kStandIns[i] + kSeparator;
        if (!CreateFolders(String(folder.c_str()))) {
            ReportError("cannot create " + Quoted(folder));
            return ExitFailure;
        }
        *values[i] = folder.c_str();
    }

    ArchiveReader archive;
    if (!archive.Open(report.load.Payload())) {
        ReportError("cannot open the package's archive");
        return ExitFailure;
    }
    // Names become this system's file names; the walk then checks and
    // expands them as the installer does its own.
    StringList patterns;
    patterns.Resize(report.load.patterns.Count());
    for (int i = 0; i < patterns.Count(); ++i) {
        std::string pattern;
        if (!HostPath(report.load.patterns[i].Text(), names, pattern)) {
            ReportError("pattern " + std::to_string(i) + " " +
                        Quoted(Printable(report.load.patterns[i].Text(), names)) +
                        " holds a character this system's file names cannot");
            return ExitFailure;
        }
        patterns[i] = pattern.c_str();
    }
    FolderExtractionRun run(patterns, variables, names);
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
