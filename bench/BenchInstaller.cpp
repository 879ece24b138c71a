// bench_installer: times one package's start, load and extraction under Wine, for scripts/bench.
//
//     bench_installer PACKAGE REPEATS
//
// Prints one "name value" line per measurement (seconds or bytes); scripts/bench
// takes the medians. Each step runs REPEATS times; the baselines alternate
// with the step they stand beside, so both see the same load on the machine.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/String.h"
#include "bench/Baselines.h"
#include "install/ExtractFiles.h"
#include "install/ExtractionProgress.h"
#include "package/PackageLoader.h"
#include "tests/e2e/WizardDriver.h"
#include "tests/support/TestFolders.h"

namespace {

// The engine's page with nothing behind it, keeping the first log line to explain a failure.
class SilentPage : public ExtractionProgress {
public:
    void AppendLog(const char* line) override
    {
        if (firstLog.empty())
            firstLog = line;
    }
    void SetProgressPosition(int) override {}
    void SetStatusText(const char*) override {}

    std::string firstLog;
};

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, double value)
{
    printf("%s %.6f\n", name, value);
    fflush(stdout);
}

int Fail(const std::string& what)
{
    fprintf(stderr, "bench_installer: %s\n", what.c_str());
    return 1;
}

SIZE_T PeakWorkingSet(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

// From the start of the process to the first wizard page, then Cancel. The
// installer's peak is read while its wizard shows: the load is behind it.
bool TimeWizard(const std::string& package, const std::string& temporaryFolder, std::string& error)
{
    TestProcess installer;
    WizardDriver wizard(installer);
    const double start = Now();
    if (!installer.Start(package, {}, temporaryFolder, error))
        return false;
    if (!wizard.WaitForWizard()) {
        error = "no wizard from " + package;
        return false;
    }
    Report("wizard_shown_s", Now() - start);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, installer.Id());
    if (process) {
        Report("installer_peak_bytes", static_cast<double>(PeakWorkingSet(process)));
        CloseHandle(process);
    }
    if (!wizard.Click(kCancelButton) || !installer.WaitForExit(kWindowTimeoutMs)) {
        error = "the wizard did not end on Cancel";
        return false;
    }
    return true;
}

// LoadPackage beside a plain copy of as many bytes from the same file; the
// last load is kept for the engine.
bool TimeLoad(const std::string& package, const std::string& copyPath, PackageLoad& kept, std::string& error)
{
    PackageLoad load;
    double start = Now();
    const LoadFailure failure = LoadPackage(package.c_str(), "BNC", load);
    if (failure != LoadFailure::None) {
        error = "LoadPackage failed: " + std::to_string(static_cast<int>(failure));
        return false;
    }
    Report("load_package_s", Now() - start);
    Report("payload_bytes", static_cast<double>(load.payloadBytesCopied));
    start = Now();
    if (!CopyFileRange(package, load.trailer.payloadOffset, load.payloadBytesCopied, copyPath)) {
        error = "the plain copy failed";
        return false;
    }
    Report("copy_loop_s", Now() - start);
    DeleteFileA(copyPath.c_str());
    load.archive.Swap(kept.archive);
    load.patterns.Swap(kept.patterns);
    return true;
}

bool TimeExtraction(const PackageLoad& load, const std::string& destination, std::string& error)
{
    SilentPage page;
    const double start = Now();
    if (!ExtractFiles(page, load.archive.Path(), load.patterns, String(destination.c_str())).success) {
        error = "ExtractFiles failed: " + page.firstLog;
        return false;
    }
    Report("extract_files_s", Now() - start);
    return true;
}

bool TimeInflate(const PackageLoad& load, const std::string& destination, std::string& error)
{
    const double start = Now();
    if (!InflateEntries(load.archive.Path().Text(), destination)) {
        error = "the minizip loop failed";
        return false;
    }
    Report("minizip_loop_s", Now() - start);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int repeats = argc == 3 ? atoi(argv[2]) : 0;
    if (repeats < 1)
        return Fail("usage: bench_installer PACKAGE REPEATS");
    const std::string package = ToWindowsPath(argv[1]);
    ScratchFolder work;
    if (!work.CreateTemporary())
        return Fail("no scratch folder");
    const std::string destination = work / "destination\\";
    std::string error;

    for (int i = 0; i < repeats; ++i) {
        if (!TimeWizard(package, work.Path(), error))
            return Fail(error);
    }

    PackageLoad load;
    for (int i = 0; i < repeats; ++i) {
        if (!TimeLoad(package, work / "copy.bin", load, error))
            return Fail(error);
    }

    // Each run starts from an empty destination, as a first installation does.
    for (int i = 0; i < repeats * 2; ++i) {
        RemoveFolderTree(destination);
        if (!CreateDirectoryA(destination.c_str(), nullptr))
            return Fail("cannot create " + destination);
        if (!(i % 2 == 0 ? TimeExtraction(load, destination, error) : TimeInflate(load, destination, error)))
            return Fail(error);
    }
    RemoveFolderTree(destination);
    // Everything of this process so far: the driver, the loads and the extractions.
    Report("bench_peak_bytes", static_cast<double>(PeakWorkingSet(GetCurrentProcess())));
    return 0;
}
