// PathPattern: the four destination variables, the order they are tried in, and what a pattern may be.
#pragma once

#include <cstddef>

// What a pattern's first variable makes of its file.
enum class PathKind { Font, System, Theme, None };

enum class PathVariable { FontDir, SysDir, WinDir, ThemeDir };

struct PathVariableName {
    const char* name;
    PathVariable variable;
    PathKind kind;
};

// In the order the installer tries them: the first one a pattern holds (ASCII
// letters in any case) decides, and only it is replaced.
constexpr PathVariableName PathVariableNames[] = {
    {"%FontDir%", PathVariable::FontDir, PathKind::Font},
    {"%SysDir%", PathVariable::SysDir, PathKind::System},
    {"%WinDir%", PathVariable::WinDir, PathKind::System},
    {"%ThemeDir%", PathVariable::ThemeDir, PathKind::Theme},
};

// A pattern of this many characters or more cannot be a destination path:
// the installer handles paths of up to 259 characters and a terminating zero.
constexpr size_t PatternLengthLimit = 260;

// The kind of the first variable found, in the installer's order.
PathKind ClassifyPattern(const char* pattern);

// True for the %FontDir% files the installer writes and registers: names
// ending in .ttf or .otf (ASCII letters in any case); it leaves others out.
bool IsFontFile(const char* path);

// Length of the path variable the pattern starts with, or 0 when it starts
// with none.
size_t LeadingVariableLength(const char* pattern);

// Where the path below the variable's folder starts: after the variable the
// pattern starts with and one separator that may follow it, as authors write
// "%ThemeDir%\Blue.bmp" for "%ThemeDir%Blue.bmp". 0 when it starts with none.
size_t PathBelowVariable(const char* pattern);

// Why the installer refuses to write the file a pattern with a path variable
// names, in a few words; null when it names a file below the folder its
// variable stands for. The variable the installer picks must start the
// pattern and appear only there; after it and one separator that may follow
// it come names separated by '\' or '/': no '..' step, drive, stream (':'),
// empty name, device name (CON, NUL, AUX, PRN, COM1 to COM9, LPT1 to LPT9,
// with or without an extension), name ending in a dot or a space, wildcard,
// reserved or control character.
const char* UnsafePatternReason(const char* pattern);
