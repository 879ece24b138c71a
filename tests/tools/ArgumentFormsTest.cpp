// Every themepack command, run in-process from the commands library alone, accepts the same argument forms.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"
#include "tools/themepack/Commands.h"

namespace {

namespace fs = std::filesystem;

// What a command printed and returned.
struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a command as main would hand it its arguments, in this process.
CommandResult RunCommand(const std::string& name, std::vector<std::string> words)
{
    CommandResult result;
    const Command* command = FindCommand(name.c_str());
    if (command == nullptr)
        return result;
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    result.status = command->run(static_cast<int>(words.size()), argv.data());
    result.out = ::testing::internal::GetCapturedStdout();
    result.err = ::testing::internal::GetCapturedStderr();
    return result;
}

// One command as the forms use it: the options it needs to run, and the
// operand that names a file, made from the file's name.
struct CommandUse {
    const char* name;
    std::vector<std::string> options;
    std::string operandBefore;  // the operand is this, then the file's name
    std::string fileBytes;      // what the file the operand names holds
    std::string success;        // standard output of a run holds this
};

// One argument form: the words after the command's name. "OPTIONS" stands
// for the command's options, "FILE", "DASHED" and "DASH" for its operand
// naming blue.in, -blue.in and -.
struct Form {
    const char* what;
    std::vector<std::string> words;
    int status;
    std::string err;  // the whole of standard error
};

class ArgumentFormsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(::testing::TempDir()) / "themepack_argument_forms";
        fs::remove_all(folder);
        fs::create_directories(folder);
        // "-" names a file only in the current folder.
        previous = fs::current_path();
        fs::current_path(folder);
        WriteFileBytes("stub.exe", ProgramImage(2048));
        WriteFileBytes("blue.theme", "[Theme]\r\n");
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    fs::path folder;
    fs::path previous;
};

TEST_F(ArgumentFormsTest, EveryCommandAcceptsTheSameArgumentForms)
{
    const CommandResult made =
        RunCommand("create", {"--stub", "stub.exe", "-o", "blue.exe", "%ThemeDir%Blue.theme=blue.theme"});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string package = ReadFileBytes("blue.exe");
    const CommandUse commands[] = {
        {"create", {"--stub", "stub.exe", "-o", "out.exe"}, "%ThemeDir%Blue.theme=", "[Theme]\r\n",
         "Wrote out.exe: 1 files, "},
        {"build", {"--stub", "stub.exe"}, "", "[Package]\nOutput=out.exe\n[Files]\n%ThemeDir%Blue.theme=blue.theme\n",
         "Wrote out.exe: 1 files, "},
        {"inspect", {}, "", package, "\nVerdict: OK\n"},
        {"list", {"--json"}, "", package, "\"files\":[{\"pattern\":\"%ThemeDir%Blue.theme\""},
        {"extract", {"--root", "out"}, "", package, "Wrote 1 of 1 files below out/\n"},
    };
    const Form forms[] = {
        {"options before the operand", {"OPTIONS", "--codepage", "1252", "FILE"}, 0, ""},
        {"options after the operand", {"FILE", "OPTIONS", "--codepage", "1252"}, 0, ""},
        {"options on both sides", {"--codepage", "1252", "FILE", "OPTIONS"}, 0, ""},
        {"-- before an operand starting with '-'", {"OPTIONS", "--", "DASHED"}, 0, ""},
        {"- alone as a file name", {"OPTIONS", "DASH"}, 0, ""},
        {"--help after the operand", {"FILE", "--help"}, 0, ""},
        {"unknown option", {"OPTIONS", "FILE", "--bogus"}, 2,
         "themepack: unknown option '--bogus' (try themepack --help)\n"},
        {"option value missing", {"OPTIONS", "FILE", "--codepage"}, 2,
         "themepack: --codepage needs a code page number (try themepack --help)\n"},
        {"option value empty", {"OPTIONS", "--codepage", "", "FILE"}, 2,
         "themepack: --codepage needs a code page number (try themepack --help)\n"},
        {"option given twice", {"--codepage", "1252", "OPTIONS", "FILE", "--codepage", "1252"}, 2,
         "themepack: --codepage given twice (try themepack --help)\n"},
    };
    for (const CommandUse& command : commands) {
        for (const char* file : {"blue.in", "-blue.in", "-"})
            WriteFileBytes(file, command.fileBytes);
        for (const Form& form : forms) {
            SCOPED_TRACE(std::string(command.name) + ": " + form.what);
            fs::remove_all("out");
            fs::remove("out.exe");
            std::vector<std::string> words;
            for (const std::string& word : form.words) {
                if (word == "OPTIONS")
                    words.insert(words.end(), command.options.begin(), command.options.end());
                else if (word == "FILE" || word == "DASHED" || word == "DASH")
                    words.push_back(command.operandBefore +
                                    (word == "FILE" ? "blue.in" : word == "DASHED" ? "-blue.in" : "-"));
                else
                    words.push_back(word);
            }
            const CommandResult run = RunCommand(command.name, words);
            EXPECT_EQ(run.status, form.status);
            EXPECT_EQ(run.err, form.err);
            if (form.status != 0)
                EXPECT_EQ(run.out, "");
            else if (form.words.back() == "--help")
                EXPECT_EQ(run.out.rfind("Usage:\n", 0), 0u) << run.out;
            else
                EXPECT_NE(run.out.find(command.success), std::string::npos) << run.out;
        }
    }
}

}  // namespace
