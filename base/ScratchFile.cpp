// ScratchFile: unique names in a folder or the temporary folder, and the final rename.
#include "base/ScratchFile.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// Four hexadecimal digits, as the system's own temporary names have: every
// number is tried before a folder full of names counts as unwritable.
constexpr unsigned kNameCount = 0xFFFF;

unsigned ProcessNumber()
{
#ifdef _WIN32
    return static_cast<unsigned>(_getpid());
#else
    return static_cast<unsigned>(getpid());
#endif
}

// Where the next name search starts: different for each process and moment,
// so that concurrent runs rarely meet, and counting on within a process.
unsigned NextNameNumber()
{
    static unsigned next = (ProcessNumber() * 40503u + static_cast<unsigned>(std::time(nullptr))) % kNameCount;
    next = next % kNameCount + 1;
    return next;
}

}  // namespace

ScratchFile::~ScratchFile()
{
    Remove();
}

bool ScratchFile::Create(const std::string& folder, const char* prefix)
{
    Remove();
    for (unsigned attempt = 0; attempt < kNameCount; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "%.8s%X.tmp", prefix, NextNameNumber());
        const std::string candidate = folder + name;
        const StdioFile::CreateResult result = file.CreateNew(candidate.c_str(), true);
        if (result == StdioFile::CreateResult::Created) {
            path = candidate;
            return true;
        }
        if (result == StdioFile::CreateResult::Failed)
            return false;
    }
    return false;
}

bool ScratchFile::CreateTemporary(const char* prefix)
{
#ifdef _WIN32
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH)
        return false;
    return Create(folder, prefix);
#else
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr || *folder == '\0')
        folder = "/tmp";
    std::string withSeparator = folder;
    if (withSeparator.back() != '/')
        withSeparator += '/';
    return Create(withSeparator, prefix);
#endif
}

bool ScratchFile::MoveTo(const std::string& target)
{
    if (path.empty())
        return false;
    file.Close();
    ReleaseHold();
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

bool ScratchFile::Seal()
{
    file.Close();
    ReleaseHold();
#ifdef _WIN32
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reader == INVALID_HANDLE_VALUE)
        return false;
    hold = reader;
#endif
    return !path.empty();
}

void ScratchFile::ReleaseHold()
{
#ifdef _WIN32
    if (hold != nullptr)
        CloseHandle(hold);
#endif
    hold = nullptr;
}

void ScratchFile::Remove()
{
    file.Close();
    ReleaseHold();
    if (!path.empty())
        std::remove(path.c_str());
    path.clear();
}

void ScratchFile::Swap(ScratchFile& other)
{
    file.Swap(other.file);
    path.swap(other.path);
    void* held = hold;
    hold = other.hold;
    other.hold = held;
}
