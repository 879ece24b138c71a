// Baselines: a plain copy loop and a plain inflate-and-write loop over Win32 file handles.
#include "bench/Baselines.h"

#include <windows.h>

#include <unzip.h>

#include <vector>

#include "package/WindowedFile.h"

namespace {

constexpr DWORD kCopyPiece = 64 * 1024;
constexpr unsigned kInflatePiece = 32 * 1024;

// Owns one file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (IsOpen())
            CloseHandle(handle);
    }
    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle; }

private:
    HANDLE handle;
};

HANDLE CreateNewFile(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAll(HANDLE file, const void* bytes, DWORD count)
{
    DWORD written = 0;
    return WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

// Owns one open archive, read through the installer's own read-ahead file
// functions, so the loop differs from the engine only in what it leaves out.
class Archive {
public:
    explicit Archive(const std::string& path) : file(Open(path)) {}
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;
    ~Archive()
    {
        if (file)
            unzClose(file);
    }
    unzFile Get() const { return file; }

private:
    static unzFile Open(const std::string& path)
    {
        zlib_filefunc64_def functions;
        static WindowedFile* opened = nullptr;
        FillWindowedFileFunctions(functions, &opened);
        return unzOpen2_64(path.c_str(), &functions);
    }

    unzFile file;
};

bool InflateCurrent(unzFile archive, const std::string& target, std::vector<char>& buffer)
{
    if (unzOpenCurrentFile(archive) != UNZ_OK)
        return false;
    FileHandle output(CreateNewFile(target));
    int read = 0;
    while (output.IsOpen() && (read = unzReadCurrentFile(archive, buffer.data(), kInflatePiece)) > 0) {
        if (!WriteAll(output.Get(), buffer.data(), static_cast<DWORD>(read)))
            break;
    }
    // unzCloseCurrentFile checks the CRC once the entry was read to its end.
    const bool isComplete = output.IsOpen() && read == 0;
    return unzCloseCurrentFile(archive) == UNZ_OK && isComplete;
}

}  // namespace

bool CopyFileRange(const std::string& source, uint64_t offset, uint64_t count, const std::string& target)
{
    FileHandle input(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    FileHandle output(CreateNewFile(target));
    LARGE_INTEGER start = {};
    start.QuadPart = static_cast<LONGLONG>(offset);
    if (!input.IsOpen() || !output.IsOpen() || !SetFilePointerEx(input.Get(), start, nullptr, FILE_BEGIN))
        return false;
    std::vector<char> buffer(kCopyPiece);
    while (count > 0) {
        const DWORD wanted = count < kCopyPiece ? static_cast<DWORD>(count) : kCopyPiece;
        DWORD read = 0;
        if (!ReadFile(input.Get(), buffer.data(), wanted, &read, nullptr) || read == 0 ||
            !WriteAll(output.Get(), buffer.data(), read))
            return false;
        count -= read;
    }
    return true;
}

// Creates the folders of target below folder, each level once per new folder.
void MakeFolders(const std::string& folder, const std::string& target, std::string& lastFolder)
{
    const size_t end = target.find_last_of('\\');
    if (end == std::string::npos || target.compare(0, end, lastFolder) == 0)
        return;
    lastFolder = target.substr(0, end);
    for (size_t at = target.find('\\', folder.size()); at != std::string::npos && at <= end;
         at = target.find('\\', at + 1))
        CreateDirectoryA(target.substr(0, at).c_str(), nullptr);
}

bool InflateEntries(const std::string& archive, const std::string& folder)
{
    Archive zip(archive);
    if (!zip.Get())
        return false;
    std::vector<char> buffer(kInflatePiece);
    std::string lastFolder;
    int count = 0;
    for (int status = unzGoToFirstFile(zip.Get()); status == UNZ_OK; status = unzGoToNextFile(zip.Get())) {
        // Where the installer puts it: the entry's name below the destination.
        char name[MAX_PATH];
        if (unzGetCurrentFileInfo64(zip.Get(), nullptr, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
            return false;
        if (lstrcmpiA(name, "PackHead") == 0)
            continue;
        std::string target = folder + name;
        for (char& c : target)
            c = c == '/' ? '\\' : c;
        MakeFolders(folder, target, lastFolder);
        if (!InflateCurrent(zip.Get(), target, buffer))
            return false;
        ++count;
    }
    return count > 0;
}
