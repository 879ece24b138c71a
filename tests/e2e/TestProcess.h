// TestProcess: one program started by an end-to-end test, ended if it outlives the test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Owns the process handle of one started program. A program still running when
// the object goes away is terminated, so a failed test never leaves a window
// behind for the next one.
class TestProcess {
public:
    TestProcess() = default;
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;
    ~TestProcess();

    // Starts program with arguments, each quoted as the runtime library expects.
    // A non-empty temporaryFolder becomes the program's TMP and TEMP, so that
    // its temporary files land where only this test looks. False when the
    // program could not be started; error then says why.
    bool Start(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& temporaryFolder, std::string& error);

    DWORD Id() const { return processId; }
    bool IsRunning() const;
    // True when the program has ended within timeoutMs.
    bool WaitForExit(DWORD timeoutMs);
    // The exit status; STILL_ACTIVE while the program runs or when none was started.
    DWORD ExitCode() const;
    // Ends a program that is still running and waits until it is gone.
    void Kill();

private:
    void Release();

    HANDLE process = nullptr;
    DWORD processId = 0;
};

// One argument as CreateProcess command lines spell it: quoted when it is empty
// or holds blanks or quotes, with backslashes before a quote doubled.
std::string QuoteArgument(const std::string& argument);
