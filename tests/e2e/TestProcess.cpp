// TestProcess: starting, waiting for and ending a program under test.
#include "tests/e2e/TestProcess.h"

namespace {

// How long Kill waits for a terminated program to be gone.
constexpr DWORD kKillWaitMs = 10000;

bool IsTemporaryVariable(const char* entry)
{
    return _strnicmp(entry, "TMP=", 4) == 0 || _strnicmp(entry, "TEMP=", 5) == 0;
}

// The calling process's environment with TMP and TEMP pointing at folder, as a
// block of NUL-terminated entries ending in an empty one.
std::string EnvironmentWithTemporaryFolder(const std::string& folder)
{
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; entry && *entry; entry += strlen(entry) + 1) {
        if (!IsTemporaryVariable(entry))
            block.append(entry).push_back('\0');
    }
    if (strings)
        FreeEnvironmentStringsA(strings);
    block.append("TMP=" + folder).push_back('\0');
    block.append("TEMP=" + folder).push_back('\0');
    block.push_back('\0');
    return block;
}

}  // namespace

std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes only escape when a quote follows them.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, '\\');
    quoted.push_back('"');
    return quoted;
}

TestProcess::~TestProcess()
{
    Kill();
    Release();
}

bool TestProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& temporaryFolder, std::string& error)
{
    Kill();
    Release();
    std::string commandLine = QuoteArgument(program);
    for (const std::string& argument : arguments)
        commandLine += " " + QuoteArgument(argument);
    std::string environment;
    if (!temporaryFolder.empty())
        environment = EnvironmentWithTemporaryFolder(temporaryFolder);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                        environment.empty() ? nullptr : &environment[0], nullptr, &startup, &started)) {
        error = "CreateProcess failed for " + commandLine + ", error " + std::to_string(GetLastError());
        return false;
    }
    CloseHandle(started.hThread);
    process = started.hProcess;
    processId = started.dwProcessId;
    return true;
}

bool TestProcess::IsRunning() const
{
    return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool TestProcess::WaitForExit(DWORD timeoutMs)
{
    return process && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
}

DWORD TestProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process)
        GetExitCodeProcess(process, &code);
    return code;
}

void TestProcess::Kill()
{
    if (!IsRunning())
        return;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kKillWaitMs);
}

void TestProcess::Release()
{
    if (process)
        CloseHandle(process);
    process = nullptr;
    processId = 0;
}
