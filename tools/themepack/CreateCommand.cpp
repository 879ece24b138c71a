// themepack create: reads the command line into a package request and writes it.
#include "base/HostText.h"
#include "package/PackageWriter.h"
#include "tools/themepack/CommandArguments.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/Diagnostics.h"
#include "tools/themepack/InstalledStub.h"
#include "tools/themepack/PackageFileReader.h"
#include "tools/themepack/WriteRequestedPackage.h"

namespace {

// The options that name a file, each filling one field of the request.
struct FileOption {
    OptionSpec definition;
    std::string PackageRequest::*field;
};

const FileOption kFileOptions[] = {
    {{"--stub", nullptr, "a file name", nullptr}, &PackageRequest::stubPath},
    {{"--output", "-o", "a file name", "no output file given (-o OUT.exe)"}, &PackageRequest::outputPath},
    {{"--side-image", nullptr, "a file name", nullptr}, &PackageRequest::sideImagePath},
    {{"--description", nullptr, "a file name", nullptr}, &PackageRequest::descriptionPath},
    {{"--preview", nullptr, "a file name", nullptr}, &PackageRequest::previewPath},
};

}  // namespace

int RunCreate(int argc, char** argv)
{
    const OptionSpec arch = {"--arch", nullptr, "x64 or x86", nullptr};
    CommandSyntax syntax = {"create", nullptr, {arch}};
    for (const FileOption& option : kFileOptions)
        syntax.options.push_back(option.definition);
    CommandArguments arguments;
    int status = ExitSuccess;
    if (!arguments.Read(syntax, argc, argv, status))
        return status;

    PackageRequest request;
    for (const FileOption& option : kFileOptions)
        request.*(option.field) = arguments.Value(option.definition.name);
    for (const std::string& argument : arguments.Operands()) {
        PackageFile file;
        std::string error;
        if (!ParseFileArgument(argument, file, error))
            return ReportUsageError(error);
        // Names are stored as the installer reads them, in the package's code page.
        if (!EncodeHostText(file.pattern, arguments.Page(), TextUse::Path, file.pattern, error)) {
            ReportError("pattern " + Quoted(argument.substr(0, argument.find('='))) + ": " + error);
            return ExitFailure;
        }
        request.files.push_back(file);
    }
    if (!request.stubPath.empty() && !arguments.Value(arch.name).empty())
        return ReportUsageError("--stub and --arch both choose the stub");
    std::string error;
    if (!ChooseStub(request.stubPath, arguments.Value(arch.name), error)) {
        ReportError(error);
        return ExitFailure;
    }
    if (request.files.empty())
        ReportWarning("no PATTERN=FILE given: the package installs no files");
    request.encodeDescription = DescriptionEncoder(arguments.Page());
    return WriteRequestedPackage(request);
}
