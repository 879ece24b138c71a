// themepack build: reads a package file, lets the command line replace its stub, output and code page, and writes the package.
#include "package/PackageWriter.h"
#include "tools/themepack/CommandArguments.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/Diagnostics.h"
#include "tools/themepack/InstalledStub.h"
#include "tools/themepack/PackageFileReader.h"
#include "tools/themepack/WriteRequestedPackage.h"

int RunBuild(int argc, char** argv)
{
    const OptionSpec stub = {"--stub", nullptr, "a file name", nullptr};
    const OptionSpec output = {"--output", "-o", "a file name", nullptr};
    const OptionSpec arch = {"--arch", nullptr, "x64 or x86", nullptr};
    CommandArguments arguments;
    int status = ExitSuccess;
    if (!arguments.Read({"build", "PACKAGEFILE", {stub, output, arch}}, argc, argv, status))
        return status;
    if (!arguments.Value(stub.name).empty() && !arguments.Value(arch.name).empty())
        return ReportUsageError("--stub and --arch both choose the stub");
    const std::string& path = arguments.Operand();
    PackageFileText file;
    std::string error;
    if (!ReadPackageFile(path, file, error)) {
        ReportError(error);
        return ExitFailure;
    }
    // The command line's page replaces the file's, as its stub and output do.
    CodePage page = arguments.Page();
    if (arguments.Value(CodePageOption.name).empty() && !file.codePage.text.empty() &&
        !SelectCodePage(file.codePage.text, page, error)) {
        ReportError(path + ":" + std::to_string(file.codePage.line) + ": CodePage: " + error);
        return ExitFailure;
    }
    if (!EncodePatterns(path, page, file, error)) {
        ReportError(error);
        return ExitFailure;
    }
    PackageRequest& request = file.request;
    // The command line's stub, or its arch of the installed ones, replaces
    // the file's choice; without any, the installed x64 stub.
    std::string archText = arguments.Value(arch.name);
    if (!arguments.Value(stub.name).empty() || !archText.empty())
        request.stubPath = arguments.Value(stub.name);
    else
        archText = file.arch.text;
    if (!arguments.Value(output.name).empty())
        request.outputPath = arguments.Value(output.name);
    if (!ChooseStub(request.stubPath, archText, error)) {
        const bool isFiles = arguments.Value(arch.name).empty() && !file.arch.text.empty();
        ReportError((isFiles ? path + ":" + std::to_string(file.arch.line) + ": Arch: " : std::string()) + error);
        return ExitFailure;
    }
    if (request.outputPath.empty()) {
        ReportError(path + ": no Output in [Package] and no -o OUT.exe given");
        return ExitFailure;
    }
    if (request.files.empty())
        ReportWarning(path + ": no [Files] lines: the package installs no files");
    request.encodeDescription = DescriptionEncoder(page);
    return WriteRequestedPackage(request);
}
