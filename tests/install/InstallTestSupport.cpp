// Test support: scratch folders, whole-file reads and writes, archives built with ZipWriter.
#include "tests/install/InstallTestSupport.h"

#include <cstdio>

#include "package/PackageWriter.h"

namespace {

int scratchCounter = 0;

}  // namespace

ScratchFolder::ScratchFolder()
{
    char temporary[MAX_PATH];
    GetTempPathA(MAX_PATH, temporary);
    for (;;) {
        path = std::string(temporary) + "vltest-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++scratchCounter);
        if (CreateDirectoryA(path.c_str(), nullptr))
            break;
    }
    path += "\\";
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path.substr(0, path.size() - 1));
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteArchive(const std::string& path, const std::vector<TestEntry>& entries)
{
    ZipWriter zip;
    if (!zip.Create(path.c_str()))
        return false;
    for (const TestEntry& entry : entries)
        if (!zip.AddBytes(entry.name.c_str(), entry.data.data(), entry.data.size(), entry.deflate))
            return false;
    return zip.Close();
}

std::string ReadWholeFile(const std::string& path)
{
    std::string data;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return data;
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        data.append(chunk, got);
    std::fclose(file);
    return data;
}

bool WriteWholeFile(const std::string& path, const std::string& data)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && written;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FillPatterns(StringList& list, const std::vector<std::string>& patterns)
{
    for (const std::string& pattern : patterns)
        list.PutAt(list.Count(), String(pattern.c_str()));
}

std::string HostPath(const char* unixPath)
{
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}
