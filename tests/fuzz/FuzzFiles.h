// FuzzFiles: the fuzz process's own scratch folder, and an input written there as a file.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// A folder under TMPDIR named after the process, which then becomes TMPDIR so
// that the readers' own temporary files land in it too. Removed at exit, so a
// run leaves nothing behind; a crash leaves it for a look.
inline const std::string& FuzzFolder()
{
    // Never destroyed: the exit handler below still needs it.
    static const std::string* folder = [] {
        const char* parent = std::getenv("TMPDIR");
        auto* path = new std::string(std::string(parent != nullptr && *parent != '\0' ? parent : "/tmp") +
                                     "/fuzz-" + std::to_string(getpid()) + "/");
        std::filesystem::create_directories(*path);
        setenv("TMPDIR", path->c_str(), 1);
        std::atexit([] { std::filesystem::remove_all(FuzzFolder()); });
        return path;
    }();
    return *folder;
}

// The input as a file in the scratch folder, deleted with the object.
class InputFile {
public:
    InputFile(const char* name, const uint8_t* data, size_t size) : path(FuzzFolder() + name)
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr)
            std::abort();  // a fuzz run that cannot write its input tests nothing
        if (size > 0 && std::fwrite(data, 1, size, file) != size)
            std::abort();
        std::fclose(file);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() { std::remove(path.c_str()); }

    const char* Path() const { return path.c_str(); }

private:
    std::string path;
};
