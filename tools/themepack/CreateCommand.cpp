// themepack create: reads the command line into a package request and writes the package.
#include <cstring>

#include "base/StdioFile.h"
#include "package/PackageWriter.h"
#include "tools/themepack/Commands.h"

namespace {

// The options that name a file, each filling one field of the request.
struct FileOption {
    const char* name;
    const char* longName;
    std::string PackageRequest::*field;
};

const FileOption kFileOptions[] = {
    {"--stub", nullptr, &PackageRequest::stubPath},
    {"-o", "--output", &PackageRequest::outputPath},
    {"--side-image", nullptr, &PackageRequest::sideImagePath},
    {"--description", nullptr, &PackageRequest::descriptionPath},
    {"--preview", nullptr, &PackageRequest::previewPath},
};

const FileOption* FindOption(const char* argument)
{
    for (const FileOption& option : kFileOptions) {
        if (std::strcmp(argument, option.name) == 0 ||
            (option.longName != nullptr && std::strcmp(argument, option.longName) == 0))
            return &option;
    }
    return nullptr;
}

int UsageError(const std::string& message)
{
    ReportError(message + " (try themepack --help)");
    return ExitUsage;
}

// PATTERN=FILE, split at the first '='. Destinations are Windows paths, so a
// '/' typed in a pattern becomes the backslash the installer splits folders at.
bool ParseFileArgument(const std::string& argument, PackageFile& file, std::string& error)
{
    const size_t equals = argument.find('=');
    if (equals == std::string::npos) {
        error = "'" + argument + "' is not PATTERN=FILE: no '='";
        return false;
    }
    file.pattern = argument.substr(0, equals);
    file.sourcePath = argument.substr(equals + 1);
    if (file.pattern.empty() || file.sourcePath.empty()) {
        error = "'" + argument + "' is not PATTERN=FILE: " + (file.pattern.empty() ? "no PATTERN" : "no FILE");
        return false;
    }
    for (char& c : file.pattern) {
        if (c == '/')
            c = '\\';
    }
    return true;
}

}  // namespace

int RunCreate(int argc, char** argv)
{
    PackageRequest request;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            PrintUsage(stdout);
            return ExitSuccess;
        }
        if (const FileOption* option = FindOption(argument)) {
            std::string& value = request.*(option->field);
            if (!value.empty())
                return UsageError(std::string(argument) + " given twice");
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return UsageError(std::string(argument) + " needs a file name");
            value = argv[++i];
            continue;
        }
        if (argument[0] == '-')
            return UsageError(std::string("unknown option '") + argument + "'");
        PackageFile file;
        std::string error;
        if (!ParseFileArgument(argument, file, error))
            return UsageError(error);
        request.files.push_back(file);
    }
    if (request.stubPath.empty())
        return UsageError("create: no stub given (--stub STUB)");
    if (request.outputPath.empty())
        return UsageError("create: no output file given (-o OUT.exe)");
    if (request.files.empty())
        ReportWarning("no PATTERN=FILE given: the package installs no files");

    std::string error;
    if (!WritePackage(request, error)) {
        ReportError(error);
        return ExitFailure;
    }
    StdioFile written;
    const int64_t size = written.Open(request.outputPath.c_str(), "rb") ? written.Seek(0, SEEK_END) : 0;
    std::printf("Wrote %s: %zu files, %lld bytes\n", request.outputPath.c_str(), request.files.size(),
                static_cast<long long>(size));
    return ExitSuccess;
}
