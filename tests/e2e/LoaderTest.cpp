// End-to-end tests of the installer's loader: what a user sees when a package is broken or sound.
#include <gtest/gtest.h>

#include <ostream>

#include "package/PackHeadEncoder.h"
#include "tests/e2e/MessageBoxView.h"
#include "tests/e2e/TestPackage.h"
#include "tests/e2e/TestProcess.h"
#include "tests/e2e/WizardDriver.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestFolders.h"

namespace {

// Handed over by the build: the installer stub as built.
const std::string kStubPath = ToWindowsPath(THEMESETUP_EXE);
const std::vector<std::string> kIgnoredArguments = {"/S", "-s", "/p", "file.txt"};
const std::vector<std::string> kPatterns = {
    "%ThemeDir%\\Test.theme", "%ThemeDir%\\Wallpaper\\Test.bmp", "%WinDir%\\Media\\Test.wav",
    "%FontDir%\\Test.ttf"};

enum class Package {
    StubOnly,
    TrailerSize24,
    PayloadNotZip,
    ZipWithoutPackHead,
    HeaderSize15,
    NoOptionalParts,
    AllOptionalParts,
};

PackHeadParts PartsFor(Package kind)
{
    PackHeadParts parts;
    parts.patterns = kPatterns;
    if (kind == Package::AllOptionalParts) {
        parts.hasSideImage = true;
        parts.sideImage = BitmapFile(2, 2);
        parts.hasDescription = true;
        parts.description = "A test theme.\r\nSecond line.";
        parts.hasPreview = true;
        parts.preview = BitmapFile(2, 2);
    }
    return parts;
}

// Writes the package of one kind to output, staging its archive beside it.
bool BuildPackage(Package kind, const std::string& output, std::string& error)
{
    if (kind == Package::StubOnly) {
        error = "cannot copy " + kStubPath;
        return CopyFileA(kStubPath.c_str(), output.c_str(), FALSE) != FALSE;
    }
    std::vector<TestEntry> entries = PackageEntries(PartsFor(kind));
    if (kind == Package::ZipWithoutPackHead)
        entries.pop_back();
    if (kind == Package::HeaderSize15)
        entries.back().data[0] = 15;  // low byte of the little-endian headerSize

    std::string payload = std::string(2000, 'x') + "not an archive\r\n";
    const std::string zipPath = output + ".zip";
    if (kind != Package::PayloadNotZip) {
        if (!WriteArchive(zipPath, entries)) {
            error = "cannot write " + zipPath;
            return false;
        }
        if (!ReadFileBytes(zipPath, payload)) {
            error = "cannot read " + zipPath;
            return false;
        }
    }
    if (kind != Package::TrailerSize24)
        return AssembleTestPackage(kStubPath, payload, output, error);

    std::string stub;
    if (!ReadFileBytes(kStubPath, stub)) {
        error = "cannot read " + kStubPath;
        return false;
    }
    PackageTrailer trailer;
    trailer.trailerSize = 24;
    trailer.payloadOffset = static_cast<uint32_t>(stub.size());
    trailer.payloadLength = static_cast<uint32_t>(payload.size());
    return WriteRawPackage(kStubPath, payload, trailer, output, error);
}

// One line per visible top-level window of the process, for failure messages.
std::string DescribeWindows(DWORD processId)
{
    std::string lines;
    for (HWND window : FindTopWindows(processId, nullptr, nullptr)) {
        MessageBoxView view;
        view.Read(window);
        lines += ClassName(window) + " " + view.Describe();
    }
    return lines.empty() ? "no visible window\n" : lines;
}

struct LoaderRow {
    const char* name;
    Package package;
    std::vector<std::string> arguments;
    bool hasTemporaryFolder;  // false: TMP names a folder that does not exist
    const char* message;      // null for a sound package
};

// Names the row in failure reports instead of dumping its bytes.
void PrintTo(const LoaderRow& row, std::ostream* out)
{
    *out << row.name;
}

// Each case builds its package in a folder of its own beside the test program
// and gives the installer a temporary folder of its own (TMP and TEMP), so
// that whatever else runs on the machine, the files found there are the
// installer's.
class LoaderCase : public ::testing::TestWithParam<LoaderRow> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(caseFolder.Create(ExecutableFolder() + "loader\\" + GetParam().name));
        temporaryFolder = caseFolder.Path() + "temp\\";
        if (GetParam().hasTemporaryFolder) {
            ASSERT_TRUE(CreateDirectoryA(temporaryFolder.c_str(), nullptr));
        }
        packagePath = caseFolder.Path() + "package.exe";
        std::string error;
        ASSERT_TRUE(BuildPackage(GetParam().package, packagePath, error)) << error;
    }

    void TearDown() override
    {
        if (HasFailure())
            caseFolder.Keep();
    }

    ScratchFolder caseFolder;
    std::string temporaryFolder;
    std::string packagePath;
};

// A broken package or an unusable temporary folder: one message box, then
// the program ends as soon as the user presses OK.
class LoaderFailure : public LoaderCase {};

TEST_P(LoaderFailure, ShowsOneMessageThenExitsWith0AndLeavesNoTemporaryFile)
{
    const LoaderRow& row = GetParam();
    TestProcess installer;
    std::string error;
    ASSERT_TRUE(installer.Start(packagePath, row.arguments, temporaryFolder, error)) << error;

    MessageBoxView box;
    box.Read(WaitForMessageBox(installer));
    ASSERT_TRUE(box.window) << "no message box; exit code " << installer.ExitCode() << "\n"
                            << DescribeWindows(installer.Id());
    EXPECT_EQ(box.caption, "Vistaloom") << box.Describe();
    EXPECT_EQ(box.text, row.message) << box.Describe();
    EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"}) << box.Describe();
    EXPECT_TRUE(box.hasIcon) << box.Describe();
    ASSERT_TRUE(box.okButton) << box.Describe();
    ASSERT_TRUE(PressButton(box.okButton));

    ASSERT_TRUE(installer.WaitForExit(kWindowTimeoutMs)) << "still running after OK:\n"
                                                         << DescribeWindows(installer.Id());
    EXPECT_EQ(installer.ExitCode(), 0u);
    EXPECT_EQ(ListFiles(temporaryFolder, "VLP*.tmp"), std::vector<std::string>());
}

const LoaderRow kFailureRows[] = {
    {"StubWithoutPackage", Package::StubOnly, {}, true, "Not a valid theme package!"},
    {"TrailerSize24", Package::TrailerSize24, {}, true, "Not a valid theme package!"},
    {"TrailerSize24WithArguments", Package::TrailerSize24, kIgnoredArguments, true, "Not a valid theme package!"},
    {"PayloadNotZip", Package::PayloadNotZip, {}, true, "Corrupted theme package!"},
    {"ZipWithoutPackHead", Package::ZipWithoutPackHead, {}, true, "Corrupted theme package!"},
    {"HeaderSize15", Package::HeaderSize15, {}, true, "Corrupted theme package!"},
    {"HeaderSize15WithArguments", Package::HeaderSize15, kIgnoredArguments, true, "Corrupted theme package!"},
    {"TemporaryFolderMissing", Package::NoOptionalParts, {}, false, "Failed to create temporary file!"},
};

INSTANTIATE_TEST_SUITE_P(Installer, LoaderFailure, ::testing::ValuesIn(kFailureRows),
                         [](const ::testing::TestParamInfo<LoaderRow>& info) { return info.param.name; });

// A sound package: the loader hands over to the wizard without a message on
// the way, and removes its temporary files once the wizard is cancelled.
class LoaderSuccess : public LoaderCase {};

TEST_P(LoaderSuccess, ShowsTheWizardThenExitsWith0AndLeavesNoTemporaryFile)
{
    TestProcess installer;
    std::string error;
    ASSERT_TRUE(installer.Start(packagePath, GetParam().arguments, temporaryFolder, error)) << error;

    WizardDriver wizard(installer);
    ASSERT_TRUE(wizard.WaitForWizard()) << DescribeWindows(installer.Id());
    EXPECT_EQ(wizard.CurrentPage(), WizardPage::Welcome);
    EXPECT_TRUE(FindTopWindows(installer.Id(), "#32770", "Vistaloom").empty()) << "a message on the way";
    const std::vector<std::string> held = ListFiles(temporaryFolder, "VLP*.tmp");
    EXPECT_EQ(held.size(), GetParam().package == Package::AllOptionalParts ? 3u : 1u)
        << "the archive copy and one file per picture while the wizard runs";
    // Nothing may swap them under the running installer.
    for (const std::string& name : held) {
        const std::string path = temporaryFolder + name;
        HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(writer, INVALID_HANDLE_VALUE) << name << " can be written by others";
        if (writer != INVALID_HANDLE_VALUE)
            CloseHandle(writer);
        EXPECT_FALSE(DeleteFileA(path.c_str())) << name << " can be deleted by others";
    }
    ASSERT_TRUE(wizard.Click(kCancelButton));
    ASSERT_TRUE(installer.WaitForExit(kWindowTimeoutMs)) << "still running:\n" << DescribeWindows(installer.Id());
    EXPECT_EQ(installer.ExitCode(), 0u);
    EXPECT_EQ(ListFiles(temporaryFolder, "VLP*.tmp"), std::vector<std::string>());
}

const LoaderRow kSuccessRows[] = {
    {"NoOptionalParts", Package::NoOptionalParts, {}, true, nullptr},
    {"AllOptionalParts", Package::AllOptionalParts, {}, true, nullptr},
    {"AllOptionalPartsWithArguments", Package::AllOptionalParts, kIgnoredArguments, true, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Installer, LoaderSuccess, ::testing::ValuesIn(kSuccessRows),
                         [](const ::testing::TestParamInfo<LoaderRow>& info) { return info.param.name; });

}  // namespace
