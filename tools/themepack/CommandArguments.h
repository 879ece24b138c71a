// CommandArguments: the one reader of every themepack command's arguments, and the code page option they share.
#pragma once

#include <string>
#include <vector>

class CodePage;

// One option of a command: a flag, or one that takes the next argument as its value.
struct OptionSpec {
    const char* name;   // "--stub"
    const char* alias;  // "-o", or null
    // What its value is, for "--stub needs a file name"; null for a flag.
    const char* valueKind;
};

// A command's arguments as read: its operands in order and its options' values.
class CommandArguments {
public:
    // Options may come before, between or after the operands; after "--"
    // every argument is an operand, and "-" alone always is one. "--help" or
    // "-h" asks for the usage wherever it stands. False, with error for the
    // usage line, for an unknown option, one given twice, or a value missing
    // or empty.
    bool Read(int argc, char** argv, const std::vector<OptionSpec>& options, std::string& error);

    bool WantsHelp() const { return wantsHelp; }
    const std::vector<std::string>& Operands() const { return operands; }
    // The value of the option of this name; empty when not given, "1" for a flag given.
    const std::string& Value(const char* name) const;

private:
    std::vector<std::string> names;
    std::vector<std::string> values;
    std::vector<std::string> operands;
    bool wantsHelp = false;
};

// Every command names its code page the same way.
extern const OptionSpec CodePageOption;

// The page a decimal number names. False, with error, when text is no
// number or names no code page this system converts.
bool SelectCodePage(const std::string& text, CodePage& page, std::string& error);

// The --codepage option's page, 1252 when not given. False, with error for
// the usage line, when it is no number or names no code page this system converts.
bool ReadCodePage(const CommandArguments& arguments, CodePage& page, std::string& error);
