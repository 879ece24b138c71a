// themepack create: reads the command line into a package request; and the writing of any request.
#include <cstring>

#include "base/StdioFile.h"
#include "package/PackageWriter.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/PackageFileReader.h"

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
                return ReportUsageError(std::string(argument) + " given twice");
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return ReportUsageError(std::string(argument) + " needs a file name");
            value = argv[++i];
            continue;
        }
        if (argument[0] == '-')
            return ReportUsageError(std::string("unknown option '") + argument + "'");
        PackageFile file;
        std::string error;
        if (!ParseFileArgument(argument, file, error))
            return ReportUsageError(error);
        request.files.push_back(file);
    }
    if (request.stubPath.empty())
        return ReportUsageError("create: no stub given (--stub STUB)");
    if (request.outputPath.empty())
        return ReportUsageError("create: no output file given (-o OUT.exe)");
    if (request.files.empty())
        ReportWarning("no PATTERN=FILE given: the package installs no files");

    return WriteRequestedPackage(request);
}

int WriteRequestedPackage(const PackageRequest& request)
{
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
