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

bool ScratchFile::Create(const char* folder, const char* prefix)
{
    Remove();
    for (unsigned attempt = 0; attempt < kNameCount; ++attempt) {
        String candidate;
        candidate.Format("%s%.8s%X.tmp", folder, prefix, NextNameNumber());
        const StdioFile::CreateResult result = file.CreateNew(candidate.Text(), true);
        if (result == StdioFile::CreateResult::Created) {
            path.Swap(candidate);
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
    String withSeparator(folder);
    if (withSeparator[withSeparator.Length() - 1] != '/')
        withSeparator.Append('/');
    return Create(withSeparator.Text(), prefix);
#endif
}

bool ScratchFile::MoveTo(const char* target)
{
    if (path.IsEmpty())
        return false;
    file.Close();
    ReleaseHold();
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    const bool moved = MoveFileExA(path.Text(), target, MOVEFILE_REPLACE_EXISTING) != FALSE;
#else
    const bool moved = std::rename(path.Text(), target) == 0;
#endif
    if (moved)
        path = String();
    return moved;
}

bool ScratchFile::Seal()
{
    file.Close();
    ReleaseHold();
#ifdef _WIN32
    HANDLE reader = CreateFileA(path.Text(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (reader == INVALID_HANDLE_VALUE)
        return false;
    hold = reader;
#endif
    return !path.IsEmpty();
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
    if (!path.IsEmpty())
        std::remove(path.Text());
    path = String();
}

void ScratchFile::Swap(ScratchFile& other)
{
    file.Swap(other.file);
    path.Swap(other.path);
    void* held = hold;
    hold = other.hold;
    other.hold = held;
}
