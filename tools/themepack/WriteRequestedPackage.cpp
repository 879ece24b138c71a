// WriteRequestedPackage: the shared writer run on a request, and the size of what it wrote.
#include "tools/themepack/WriteRequestedPackage.h"

#include <cstdio>

#include "base/StdioFile.h"
#include "package/PackageWriter.h"
#include "tools/themepack/Diagnostics.h"

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
