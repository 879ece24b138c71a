// InstalledStub: the installer stubs installed with themepack, and which of them a package gets.
#pragma once

#include <string>

// The Windows a package's installer runs on.
enum class StubArch { X64, X86 };

// "x64" (or "x86-64", "amd64") and "x86" (or "i686"); false for anything else.
bool ParseStubArch(const std::string& text, StubArch& arch);
const char* StubArchName(StubArch arch);

// The installed stub of arch: themesetup-x64.exe or themesetup-x86.exe in the
// stub folder beside themepack's own (share/themepack on Linux, its own
// folder on Windows). False, with error naming the file it looked for, when
// there is none.
bool FindInstalledStub(StubArch arch, std::string& path, std::string& error);

// The stub a package gets: stubPath when it names one, else the installed
// stub of arch ("" for x64). False, with error, for an unknown arch or when
// the stub is not installed.
bool ChooseStub(std::string& stubPath, const std::string& arch, std::string& error);

// What the stub a package starts with says of itself, in a few words:
// "1.0.0.0 for x86-64"; empty when it is no program.
std::string DescribeStub(const std::string& path);

// themepack's version and the installed stubs', one line each.
void PrintVersion(const char* version);
