// ExtractCheck: both sets of files keyed by their stand-in paths, "ThemeDir\..." and so on.
#include "tests/e2e/ExtractCheck.h"

#include <windows.h>

#include <cstring>
#include <map>

#include "tests/e2e/TestProcess.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestFolders.h"

namespace {

const std::string kThemepackPath = ToWindowsPath(THEMEPACK_EXE);
constexpr DWORD kExtractTimeoutMs = 60000;

// An installed path as a stand-in path; unchanged when it lies in none of the folders.
std::string StandIn(const std::string& path, const InstallFolders& folders)
{
    // The fonts and system folders lie inside the Windows folder: they are tried first.
    const std::pair<const std::string*, const char*> standIns[] = {{&folders.fonts, "FontDir\\"},
                                                                   {&folders.system, "SysDir\\"},
                                                                   {&folders.windows, "WinDir\\"},
                                                                   {&folders.themes, "ThemeDir\\"}};
    for (const auto& standIn : standIns) {
        const std::string& folder = *standIn.first;
        if (!folder.empty() && path.size() > folder.size() && _strnicmp(path.c_str(), folder.c_str(), folder.size()) == 0)
            return standIn.second + path.substr(folder.size());
    }
    return path;
}

}  // namespace

std::string ExtractDifference(const std::string& package, const std::string& root, const InstallFolders& folders,
                              const std::vector<std::string>& added, const std::vector<std::string>& kept)
{
    std::map<std::string, std::string> installed;
    for (const std::string& path : added)
        installed[StandIn(path, folders)] = ReadFileBytes(path);

    RemoveFolderTree(root);
    TestProcess extract;
    std::string error;
    if (!extract.Start(kThemepackPath, {"extract", package, "--root", root}, "", error))
        return "themepack did not start: " + error;
    if (!extract.WaitForExit(kExtractTimeoutMs))
        return "themepack extract still running";
    std::vector<std::string> written;
    const std::string prefix = root + "\\";
    ListTree(prefix, written);
    std::map<std::string, std::string> extracted;
    for (const std::string& path : written)
        extracted[path.substr(prefix.size())] = ReadFileBytes(path);
    for (const std::string& path : kept)
        extracted.erase(StandIn(path, folders));

    std::string difference;
    for (const auto& file : installed) {
        const auto match = extracted.find(file.first);
        if (match == extracted.end())
            difference += "installed only: " + file.first + "\n";
        else if (match->second != file.second)
            difference += "other bytes: " + file.first + "\n";
    }
    for (const auto& file : extracted) {
        if (installed.count(file.first) == 0)
            difference += "extracted only: " + file.first + "\n";
    }
    return difference;
}
