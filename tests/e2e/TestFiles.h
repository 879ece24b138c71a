// TestFiles: folders and files of end-to-end tests, and listing what a program left behind.
#pragma once

#include <string>
#include <vector>

// A folder made for one test case, emptied when it is created and removed with
// its contents when the object goes away unless Keep was called (a failed case
// keeps its files for inspection).
class ScratchFolder {
public:
    ScratchFolder() = default;
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    // Removes any folder left at path by an earlier run, then creates it with
    // its missing parents. False when it could not be created.
    bool Create(const std::string& path);
    void Keep() { isKept = true; }
    // The folder's path with a trailing backslash, or empty.
    const std::string& Path() const { return path; }

private:
    std::string path;
    bool isKept = false;
};

// A path handed over by the build as a Windows path: a Unix path becomes its
// Z: drive form (Wine's view of the Linux file system), slashes become
// backslashes.
std::string ToWindowsPath(const std::string& path);

// The folder of the running test program, with a trailing backslash.
std::string ExecutableFolder();
// The system's temporary folder (GetTempPathA), with a trailing backslash.
std::string SystemTemporaryFolder();

// Names of the files in folder matching a wildcard pattern such as "VLP*.tmp",
// sorted.
std::vector<std::string> ListFiles(const std::string& folder, const char* pattern);
// The names in after that are not in before; both sorted.
std::vector<std::string> NewNames(const std::vector<std::string>& before, const std::vector<std::string>& after);

bool ReadFileBytes(const std::string& path, std::string& bytes);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// Removes a folder with everything inside it; true when it is gone.
bool RemoveFolderTree(const std::string& path);
