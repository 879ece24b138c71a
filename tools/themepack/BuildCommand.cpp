// themepack build: reads a package file, lets the command line replace its stub, output and code page, and writes the package.
#include "package/PackageWriter.h"
#include "tools/themepack/CommandArguments.h"
#include "tools/themepack/Commands.h"
#include "tools/themepack/Diagnostics.h"
#include "tools/themepack/PackageFileReader.h"
#include "tools/themepack/WriteRequestedPackage.h"

int RunBuild(int argc, char** argv)
{
    const OptionSpec stub = {"--stub", nullptr, "a file name", nullptr};
    const OptionSpec output = {"--output", "-o", "a file name", nullptr};
    CommandArguments arguments;
    int status = ExitSuccess;
    if (!arguments.Read({"build", "PACKAGEFILE", {stub, output}}, argc, argv, status))
        return status;
    const std::string& path = arguments.Operand();
    PackageFileText file;
    std::string error;
    if (!ReadPackageFile(path, file, error)) {
        ReportError(error);
        return ExitFailure;
    }
    // The command line's page replaces the file's, as its stub and output do.
    CodePage page = arguments.Page();
    if (arguments.Value(CodePageOption.name).empty() && !file.codePage.empty() &&
        !SelectCodePage(file.codePage, page, error)) {
        ReportError(path + ":" + std::to_string(file.codePageLine) + ": CodePage: " + error);
        return ExitFailure;
    }
    if (!EncodePatterns(path, page, file, error)) {
        ReportError(error);
        return ExitFailure;
    }
    PackageRequest& request = file.request;
    // The stub is built apart from the theme, so scripts name it here.
    if (!arguments.Value(stub.name).empty())
        request.stubPath = arguments.Value(stub.name);
    if (!arguments.Value(output.name).empty())
        request.outputPath = arguments.Value(output.name);
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
    request.encodeDescription = DescriptionEncoder(page);
    return WriteRequestedPackage(request);
}
