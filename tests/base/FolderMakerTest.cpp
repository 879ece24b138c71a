// CreatePath and FolderMaker on the real file system, with this system's separators.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/FolderMaker.h"

namespace {

namespace fs = std::filesystem;

// A folder of the test's own below the temporary folder, removed afterwards.
class Folders : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               (std::string("vlfolders-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    std::string Path(const char* relative) const { return (root / relative).make_preferred().string(); }

    fs::path root;
};

TEST_F(Folders, CreatePathMakesEveryMissingFolderOfAFilePath)
{
    ASSERT_TRUE(CreatePath(Path("Blue/Sounds/Start.wav").c_str()));
    EXPECT_TRUE(IsFolder(Path("Blue").c_str()));
    EXPECT_TRUE(IsFolder(Path("Blue/Sounds").c_str()));
    EXPECT_FALSE(fs::exists(root / "Blue/Sounds/Start.wav"));
    // Existing folders are passed over.
    EXPECT_TRUE(CreatePath(Path("Blue/Sounds/Other.wav").c_str()));
    // A last component without an extension is a folder of its own.
    EXPECT_TRUE(CreatePath(Path("Blue/README").c_str()));
    EXPECT_TRUE(IsFolder(Path("Blue/README").c_str()));
}

TEST_F(Folders, AFileInTheWayFailsAndWhatWasMadeStays)
{
    FolderMaker folders;
    ASSERT_TRUE(folders.Make(Path("made/x.txt").c_str()));
    std::ofstream(root / "made" / "blocker") << "file";
    EXPECT_FALSE(folders.Make(Path("made/blocker/inner/a.txt").c_str()));
    EXPECT_FALSE(CreatePath(Path("made/blocker/inner/a.txt").c_str()));
    EXPECT_TRUE(IsFolder(Path("made").c_str()));
    EXPECT_FALSE(IsFolder(Path("made/blocker").c_str()));
    // The folder of the file before is known to exist; a failure forgets it.
    EXPECT_TRUE(folders.Make(Path("made/y.txt").c_str()));
}

}  // namespace
