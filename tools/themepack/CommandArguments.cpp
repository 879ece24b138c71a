// CommandArguments: options and operands in any order, one rule for "--", "-" and unknown options.
#include "tools/themepack/CommandArguments.h"

#include <cstring>

#include "base/HostText.h"
#include "base/Text.h"
#include "tools/themepack/CodePage.h"

const OptionSpec CodePageOption = {"--codepage", nullptr, "a code page number"};

bool CommandArguments::Read(int argc, char** argv, const std::vector<OptionSpec>& options, std::string& error)
{
    names.clear();
    values.clear();
    operands.clear();
    for (const OptionSpec& option : options)
        names.push_back(option.name);
    values.assign(options.size(), std::string());
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

const std::string& CommandArguments::Value(const char* name) const
{
    static const std::string none;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
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

bool ReadCodePage(const CommandArguments& arguments, CodePage& page, std::string& error)
{
    const std::string& value = arguments.Value(CodePageOption.name);
    if (value.empty())
        return page.Select(CodePage::Western, error);
    if (!SelectCodePage(value, page, error)) {
        error = "--codepage: " + error;
        return false;
    }
    return true;
}
