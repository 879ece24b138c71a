// themepack build: reads a package file, lets the command line replace its stub and output, and writes the package.
#include <cstring>

#include "package/PackageWriter.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/PackageFileReader.h"

namespace {

// The command line's own files; empty when not given.
struct BuildArguments {
    std::string packageFilePath;
    std::string stubPath;
    std::string outputPath;
};

// Which field an option fills, or null when argument is no option of build.
std::string* FindOption(const char* argument, BuildArguments& arguments)
{
    if (std::strcmp(argument, "--stub") == 0)
        return &arguments.stubPath;
    if (std::strcmp(argument, "-o") == 0 || std::strcmp(argument, "--output") == 0)
        return &arguments.outputPath;
    return nullptr;
}

}  // namespace

int RunBuild(int argc, char** argv)
{
    BuildArguments arguments;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            PrintUsage(stdout);
            return ExitSuccess;
        }
        if (std::string* value = FindOption(argument, arguments)) {
            if (!value->empty())
                return ReportUsageError(std::string(argument) + " given twice");
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return ReportUsageError(std::string(argument) + " needs a file name");
            *value = argv[++i];
            continue;
        }
        if (argument[0] == '-')
            return ReportUsageError(std::string("unknown option '") + argument + "'");
        if (argument[0] == '\0' || !arguments.packageFilePath.empty())
            return ReportUsageError("build needs exactly one PACKAGEFILE");
        arguments.packageFilePath = argument;
    }
    if (arguments.packageFilePath.empty())
        return ReportUsageError("build needs exactly one PACKAGEFILE");

    PackageRequest request;
    std::string error;
    if (!ReadPackageFile(arguments.packageFilePath, request, error)) {
        ReportError(error);
        return ExitFailure;
    }
    // The stub is built apart from the theme, so scripts name it here.
    if (!arguments.stubPath.empty())
        request.stubPath = arguments.stubPath;
    if (!arguments.outputPath.empty())
        request.outputPath = arguments.outputPath;
    const std::string& path = arguments.packageFilePath;
    if (request.stubPath.empty()) {
        ReportError(path + ": no Stub in [Package] and no --stub STUB given");
        return ExitFailure;
    }
    if (request.outputPath.empty()) {
        ReportError(path + ": no Output in [Package] and no -o OUT.exe given");
        return ExitFailure;
    }
    if (request.files.empty())
        ReportWarning(path + ": no [Files] lines: the package installs no files");
    return WriteRequestedPackage(request);
}
