// CommandArguments: options and operands in any order, one rule for "--", "-", unknown options and operand counts.
#include "tools/themepack/CommandArguments.h"

#include <cstring>

#include "base/HostText.h"
#include "tools/themepack/Diagnostics.h"
#include "tools/themepack/UsageText.h"

const OptionSpec CodePageOption = {"--codepage", nullptr, "a code page number", nullptr};

bool CommandArguments::Read(const CommandSyntax& syntax, int argc, char** argv, int& status)
{
    options = syntax.options;
    options.push_back(CodePageOption);
    std::string error;
    if (!ReadWords(argc, argv, error)) {
        status = ReportUsageError(error);
        return false;
    }
    if (wantsHelp) {
        PrintUsage(stdout);
        status = ExitSuccess;
        return false;
    }
    if (!Check(syntax, error)) {
        status = ReportUsageError(error);
        return false;
    }
    return true;
}

bool CommandArguments::ReadWords(int argc, char** argv, std::string& error)
{
    values.assign(options.size(), std::string());
    operands.clear();
    wantsHelp = false;
    bool isAfterOptions = false;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (isAfterOptions || argument.size() < 2 || argument[0] != '-') {
            operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            isAfterOptions = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            wantsHelp = true;
            continue;
        }
        size_t index = 0;
        while (index < options.size() && argument != options[index].name &&
               (options[index].alias == nullptr || argument != options[index].alias))
            ++index;
        if (index == options.size()) {
            error = "unknown option '" + argument + "'";
            return false;
        }
        const OptionSpec& option = options[index];
        if (!values[index].empty()) {
            error = argument + " given twice";
            return false;
        }
        if (option.valueKind == nullptr) {
            values[index] = "1";
            continue;
        }
        if (i + 1 >= argc || argv[i + 1][0] == '\0') {
            error = argument + " needs " + option.valueKind;
            return false;
        }
        values[index] = argv[++i];
    }
    return true;
}

bool CommandArguments::Check(const CommandSyntax& syntax, std::string& error)
{
    // An empty name would only fail later, as a file that cannot be opened.
    if (syntax.operand != nullptr && (operands.size() != 1 || operands.front().empty())) {
        error = std::string(syntax.name) + " needs exactly one " + syntax.operand;
        return false;
    }
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i].missing != nullptr && values[i].empty()) {
            error = std::string(syntax.name) + ": " + options[i].missing;
            return false;
        }
    }
    const std::string& number = Value(CodePageOption.name);
    if (number.empty())
        return page.Select(CodePage::Western, error);
    if (!SelectCodePage(number, page, error)) {
        error = "--codepage: " + error;
        return false;
    }
    return true;
}

const std::string& CommandArguments::Value(const char* name) const
{
    static const std::string none;
    for (size_t i = 0; i < options.size(); ++i) {
        if (std::strcmp(options[i].name, name) == 0)
            return values[i];
    }
    return none;
}

bool SelectCodePage(const std::string& text, CodePage& page, std::string& error)
{
    unsigned number = 0;
    for (char c : text) {
        number = number * 10 + static_cast<unsigned>(c - '0');
        if (c < '0' || c > '9' || number > 65535) {
            number = 0;
            break;
        }
    }
    if (number == 0) {
        error = Quoted(text) + " is no code page number, such as 1252";
        return false;
    }
    return page.Select(number, error);
}
