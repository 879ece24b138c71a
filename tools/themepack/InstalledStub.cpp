// InstalledStub: found from the running program's own path, as its installation placed it.
#include "tools/themepack/InstalledStub.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "base/HostText.h"
#include "base/StdioFile.h"
#include "package/ProgramVersion.h"

#ifndef THEMEPACK_STUB_FOLDER
#define THEMEPACK_STUB_FOLDER "."
#endif

namespace {

// The folder themepack runs from, ending in its separator; empty when unknown.
std::string ProgramFolder()
{
    char path[4096];
#ifdef _WIN32
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    return FolderOf(std::string(path, length));
#else
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof path)
        return std::string();
    return FolderOf(std::string(path, static_cast<size_t>(length)));
#endif
}

}  // namespace

bool ParseStubArch(const std::string& text, StubArch& arch)
{
    if (text == "x64" || text == "x86-64" || text == "amd64") {
        arch = StubArch::X64;
        return true;
    }
    if (text == "x86" || text == "i686") {
        arch = StubArch::X86;
        return true;
    }
    return false;
}

const char* StubArchName(StubArch arch)
{
    return arch == StubArch::X64 ? "x64" : "x86";
}

bool FindInstalledStub(StubArch arch, std::string& path, std::string& error)
{
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    // The stub folder relative to the program's, "../" steps taken here so
    // that messages name the folder plainly.
    std::string folder = ProgramFolder();
    std::string relative = THEMEPACK_STUB_FOLDER;
    while (relative.compare(0, 3, "../") == 0 && folder.size() > 1) {
        folder = FolderOf(folder.substr(0, folder.size() - 1));
        relative.erase(0, 3);
    }
    if (relative != ".")
        folder += relative + separator;
    const std::string candidate = folder + "themesetup-" + StubArchName(arch) + ".exe";
    StdioFile stub;
    if (!stub.Open(candidate.c_str(), "rb")) {
        error = std::string("no installer stub given (--stub STUB) and none installed: there is no ") +
                Quoted(candidate);
        return false;
    }
    path = candidate;
    return true;
}

bool ChooseStub(std::string& stubPath, const std::string& arch, std::string& error)
{
    if (!stubPath.empty())
        return true;
    StubArch chosen = StubArch::X64;
    if (!arch.empty() && !ParseStubArch(arch, chosen)) {
        error = "unknown architecture " + Quoted(arch) + ": x64 or x86";
        return false;
    }
    return FindInstalledStub(chosen, stubPath, error);
}

std::string DescribeStub(const std::string& path)
{
    StdioFile file;
    uint64_t size = 0;
    ProgramVersion version;
    if (!file.Open(path.c_str(), "rb") || !file.Seek(0, SEEK_END, size) || !ReadProgramVersion(file, size, version))
        return std::string();
    std::string text;
    if (version.hasVersion) {
        char number[32];
        std::snprintf(number, sizeof number, "%u.%u.%u.%u ", version.parts[0], version.parts[1], version.parts[2],
                      version.parts[3]);
        text = number;
    }
    switch (version.machine) {
    case 0x8664:
        return text + "for x86-64";
    case 0x014C:
        return text + "for i686";
    default:
        return text + "for machine " + std::to_string(version.machine);
    }
}

void PrintVersion(const char* version)
{
    std::printf("themepack %s\n", version);
    for (StubArch arch : {StubArch::X64, StubArch::X86}) {
        std::string path;
        std::string error;
        if (FindInstalledStub(arch, path, error))
            std::printf("installer stub %s: %s (%s)\n", StubArchName(arch), DescribeStub(path).c_str(), path.c_str());
        else
            std::printf("installer stub %s: not installed\n", StubArchName(arch));
    }
}
