// ScratchFile: unique names beside a target or in the temporary folder, and the final rename.
#include "framework/ScratchFile.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// Enough tries to get past names left by other runs, few enough to give up
// quickly on a folder that cannot be written.
constexpr unsigned kNameTries = 1000;

unsigned ProcessNumber()
{
#ifdef _WIN32
    return static_cast<unsigned>(_getpid());
#else
    return static_cast<unsigned>(getpid());
#endif
}

}  // namespace

ScratchFile::~ScratchFile()
{
    Remove();
}

bool ScratchFile::Create(const std::string& folder)
{
    Remove();
    // Counts on across calls, so one process never retries its own names.
    static unsigned serial = 0;
    for (unsigned attempt = 0; attempt < kNameTries; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "themepack-%u-%u.tmp", ProcessNumber(), serial++);
        const std::string candidate = folder + name;
        const StdioFile::CreateResult result = file.CreateNew(candidate.c_str());
        if (result == StdioFile::CreateResult::Created) {
            path = candidate;
            return true;
        }
        if (result == StdioFile::CreateResult::Failed)
            return false;
    }
    return false;
}

bool ScratchFile::CreateTemporary()
{
#ifdef _WIN32
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH)
        return false;
    return Create(folder);
#else
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || *folder == '\0')
        folder = "/tmp";
    std::string withSeparator = folder;
    if (withSeparator.back() != '/')
        withSeparator += '/';
    return Create(withSeparator);
#endif
}

bool ScratchFile::MoveTo(const std::string& target)
{
    if (path.empty())
        return false;
    file.Close();
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    const bool moved = MoveFileExA(path.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
#else
    const bool moved = std::rename(path.c_str(), target.c_str()) == 0;
#endif
    if (moved)
        path.clear();
    return moved;
}

void ScratchFile::Remove()
{
    file.Close();
    if (!path.empty())
        std::remove(path.c_str());
    path.clear();
}

std::string ScratchFile::FolderOf(const std::string& path)
{
#ifdef _WIN32
    const size_t separator = path.find_last_of("/\\:");
#else
    const size_t separator = path.find_last_of('/');
#endif
    if (separator == std::string::npos)
        return std::string();
    return path.substr(0, separator + 1);
}
