// TestFolders: scratch folders of tests, Windows paths, and listing what a program left behind.
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
    // Creates a new folder of a unique name in the temporary folder.
    bool CreateTemporary();
    void Keep() { isKept = true; }
    // The folder's path with a trailing backslash, or empty.
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + name; }

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

// The files below folder (ending in a backslash), with their paths, in no
// particular order.
void ListTree(const std::string& folder, std::vector<std::string>& paths);

bool IsFolder(const std::string& path);
// Removes a folder with everything inside it; true when it is gone.
bool RemoveFolderTree(const std::string& path);
