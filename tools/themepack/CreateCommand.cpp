// themepack create: reads the command line into a package request; and the writing of any request.
#include <cstring>

#include "base/HostText.h"
#include "base/StdioFile.h"
#include "base/Text.h"
#include "package/PackageWriter.h"
#include "tools/themepack/CodePage.h"
#include "tools/themepack/CommandArguments.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/PackageFileReader.h"

namespace {

// The options that name a file, each filling one field of the request.
struct FileOption {
    OptionSpec spec;
    std::string PackageRequest::*field;
};

const FileOption kFileOptions[] = {
    {{"--stub", nullptr, "a file name"}, &PackageRequest::stubPath},
    {{"--output", "-o", "a file name"}, &PackageRequest::outputPath},
    {{"--side-image", nullptr, "a file name"}, &PackageRequest::sideImagePath},
    {{"--description", nullptr, "a file name"}, &PackageRequest::descriptionPath},
    {{"--preview", nullptr, "a file name"}, &PackageRequest::previewPath},
};

}  // namespace

int RunCreate(int argc, char** argv)
{
    std::vector<OptionSpec> options = {CodePageOption};
    for (const FileOption& option : kFileOptions)
        options.push_back(option.spec);
    CommandArguments arguments;
    std::string error;
    if (!arguments.Read(argc, argv, options, error))
        return ReportUsageError(error);
    if (arguments.WantsHelp()) {
        PrintUsage(stdout);
        return ExitSuccess;
    }
    CodePage page;
    if (!ReadCodePage(arguments, page, error))
        return ReportUsageError(error);

    PackageRequest request;
    for (const FileOption& option : kFileOptions)
        request.*(option.field) = arguments.Value(option.spec.name);
    for (const std::string& argument : arguments.Operands()) {
        PackageFile file;
        if (!ParseFileArgument(argument, file, error))
            return ReportUsageError(error);
        // Names are stored as the installer reads them, in the package's code page.
        if (!EncodeHostText(file.pattern, page, TextUse::Path, file.pattern, error)) {
            ReportError("pattern " + Quoted(argument.substr(0, argument.find('='))) + ": " + error);
            return ExitFailure;
        }
        request.files.push_back(file);
    }
    if (request.stubPath.empty())
        return ReportUsageError("create: no stub given (--stub STUB)");
    if (request.outputPath.empty())
        return ReportUsageError("create: no output file given (-o OUT.exe)");
    if (request.files.empty())
        ReportWarning("no PATTERN=FILE given: the package installs no files");
    request.encodeDescription = DescriptionEncoder(page);
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
    uint64_t size = 0;
    if (!written.Open(request.outputPath.c_str(), "rb") || !written.Seek(0, SEEK_END, size))
        size = 0;
    std::printf("Wrote %s: %zu files, %llu bytes\n", request.outputPath.c_str(), request.files.size(),
                static_cast<unsigned long long>(size));
    return ExitSuccess;
}
