// PackageFileReader: PATTERN=FILE and the package file's lines, sections and keys.
#include "tools/themepack/PackageFileReader.h"

#include "base/HostText.h"
#include "base/PathText.h"
#include "base/Text.h"
#include "package/PackageSources.h"
#include "tools/themepack/CodePage.h"
#include "tools/themepack/TextLines.h"

namespace {

// The [Package] keys: each fills one path of the request, or one value the
// command reads itself.
struct PackageKey {
    const char* name;
    std::string PackageRequest::*field;  // null for a value
    KeyValue PackageFileText::*value;    // null for a path
};

const PackageKey kPackageKeys[] = {
    {"Output", &PackageRequest::outputPath, nullptr},
    {"Stub", &PackageRequest::stubPath, nullptr},
    {"SideImage", &PackageRequest::sideImagePath, nullptr},
    {"Description", &PackageRequest::descriptionPath, nullptr},
    {"Preview", &PackageRequest::previewPath, nullptr},
    {"CodePage", nullptr, &PackageFileText::codePage},
    {"Arch", nullptr, &PackageFileText::arch},
};
constexpr int kPackageKeyCount = static_cast<int>(sizeof kPackageKeys / sizeof kPackageKeys[0]);

enum class Section { None, Package, Files };

const char kBlanks[] = " \t";

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsAbsolute(const std::string& path)
{
#ifdef _WIN32
    return path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':');
#else
    return path[0] == '/';
#endif
}

// The package file's own reader: one line at a time, its section and the
// [Package] keys seen so far carried from line to line.
class PackageFileParser {
public:
    PackageFileParser(const std::string& path, PackageFileText& file)
        : path(path), folder(FolderOf(path)), file(file), request(file.request)
    {
    }

    // False, with error set, when the line is at fault.
    bool ParseLine(const std::string& rawLine, int number, std::string& error)
    {
        lineNumber = number;
        if (rawLine.find('\0') != std::string::npos)
            return Fail("holds a zero byte", error);
        const std::string line = Trimmed(rawLine);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            return true;
        if (line[0] == '[') {
            if (line.back() != ']')
                return NotUnderstood(line, error);
            return OnSection(Trimmed(line.substr(1, line.size() - 2)), error);
        }
        switch (section) {
        case Section::Package:
            return OnPackageLine(line, error);
        case Section::Files:
            return OnFilesLine(line, error);
        case Section::None:
            break;
        }
        return Fail(Quoted(line) + " comes before any [Section]", error);
    }

private:
    bool OnSection(const std::string& name, std::string& error)
    {
        if (EqualsNoCase(name.c_str(), "Package"))
            section = Section::Package;
        else if (EqualsNoCase(name.c_str(), "Files"))
            section = Section::Files;
        else
            return Fail("unknown section [" + name + "]", error);
        return true;
    }

    bool OnPackageLine(const std::string& line, std::string& error)
    {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            return NotUnderstood(line, error);
        const std::string key = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        for (int i = 0; i < kPackageKeyCount; ++i) {
            const PackageKey& known = kPackageKeys[i];
            if (!EqualsNoCase(key.c_str(), known.name))
                continue;
            if (keyLines[i] != 0)
                return Fail(std::string("'") + known.name + "' given twice in [Package] (first on line " +
                                std::to_string(keyLines[i]) + ")",
                            error);
            if (value.empty())
                return Fail(std::string("'") + known.name + "' has no " + (known.field ? "file" : "value"), error);
            keyLines[i] = lineNumber;
            if (known.field == nullptr) {
                (file.*(known.value)).text = value;
                (file.*(known.value)).line = lineNumber;
            } else {
                request.*(known.field) = Beside(value);
            }
            return true;
        }
        return Fail("unknown key " + Quoted(key) + " in [Package]", error);
    }

    bool OnFilesLine(const std::string& line, std::string& error)
    {
        // Blanks around the '=' are layout, as around a key's; the split
        // itself is create's.
        std::string argument = line;
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            argument = Trimmed(line.substr(0, equals)) + "=" + Trimmed(line.substr(equals + 1));
        PackageFile entry;
        std::string problem;
        if (!ParseFileArgument(argument, entry, problem))
            return Fail(problem, error);
        entry.sourcePath = Beside(entry.sourcePath);
        request.files.push_back(entry);
        file.fileLines.push_back(lineNumber);
        return true;
    }

    bool NotUnderstood(const std::string& line, std::string& error)
    {
        return Fail(Quoted(line) + " is not a [Section], a comment or KEY=VALUE", error);
    }

    bool Fail(const std::string& problem, std::string& error)
    {
        error = path + ":" + std::to_string(lineNumber) + ": " + problem;
        return false;
    }

    // The package file stays where its theme is, so its paths are taken from there.
    std::string Beside(const std::string& file) const { return IsAbsolute(file) ? file : folder + file; }

    const std::string& path;
    const std::string folder;
    PackageFileText& file;
    PackageRequest& request;
    Section section = Section::None;
    int lineNumber = 0;
    int keyLines[kPackageKeyCount] = {};  // where each key was given, 0 before
};

}  // namespace

bool ParseFileArgument(const std::string& argument, PackageFile& file, std::string& error)
{
    const size_t equals = argument.find('=');
    if (equals == std::string::npos) {
        error = "'" + argument + "' is not PATTERN=FILE: no '='";
        return false;
    }
    file.pattern = argument.substr(0, equals);
    file.sourcePath = argument.substr(equals + 1);
    if (file.pattern.empty() || file.sourcePath.empty()) {
        error = "'" + argument + "' is not PATTERN=FILE: " + (file.pattern.empty() ? "no PATTERN" : "no FILE");
        return false;
    }
    for (char& c : file.pattern) {
        if (c == '/')
            c = '\\';
    }
    return true;
}

bool ReadPackageFile(const std::string& path, PackageFileText& file, std::string& error)
{
    std::string text;
    if (!ReadPartFile(path, "package file", text, error))
        return false;
    // Editors on Windows may save the file with a UTF-8 byte order mark.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    file.isUtf8 = IsUtf8(text);

    PackageFileParser parser(path, file);
    int number = 0;
    for (const std::string& line : TextLines(text)) {
        if (!parser.ParseLine(line, ++number, error))
            return false;
    }
    return true;
}

bool EncodePatterns(const std::string& path, const CodePage& page, PackageFileText& file, std::string& error)
{
    if (!file.isUtf8)
        return true;
    for (size_t i = 0; i < file.request.files.size(); ++i) {
        std::string& pattern = file.request.files[i].pattern;
        std::string problem;
        if (!page.Encode(Utf8Characters(pattern), TextUse::Path, pattern, problem)) {
            error = path + ":" + std::to_string(file.fileLines[i]) + ": pattern " + Quoted(pattern) + ": " + problem;
            return false;
        }
    }
    return true;
}
