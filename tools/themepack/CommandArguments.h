// CommandArguments: the one reader of every themepack command's arguments, and the code page option they share.
#pragma once

#include <string>
#include <vector>

#include "tools/themepack/CodePage.h"

// One option of a command: a flag, or one that takes the next argument as its value.
struct OptionSpec {
    const char* name;   // "--stub"
    const char* alias;  // "-o", or null
    // What its value is, for "--stub needs a file name"; null for a flag.
    const char* valueKind;
    // What is missing when a command cannot go without it, for "create: no
    // stub given (--stub STUB)"; null for an option that may be left out.
    const char* missing;
};

// What a command reads from its command line.
struct CommandSyntax {
    const char* name;  // "extract", for the messages
    // The one operand it needs, for "extract needs exactly one PACKAGE";
    // null for a command that takes any number.
    const char* operand;
    // Its own options; every command also takes --codepage.
    std::vector<OptionSpec> options;
};

// A command's arguments as read: its operands in order, its options' values
// and the code page it names.
class CommandArguments {
public:
    // Reads a command line by the rule every command follows. Options may
    // come before, between or after the operands; after "--" every argument
    // is an operand, and "-" alone always is one. "--help" or "-h" asks for
    // the usage wherever it stands. An unknown option, one given twice, a
    // value missing or empty, a wrong number of operands, a needed option
    // left out or a code page that cannot be used is a usage error. True
    // when the command should go on; otherwise the usage or the error line
    // has been written and status is the exit status to return.
    bool Read(const CommandSyntax& syntax, int argc, char** argv, int& status);

    const std::vector<std::string>& Operands() const { return operands; }
    // The one operand of a command that takes exactly one.
    const std::string& Operand() const { return operands.front(); }
    // The value of the option of this name; empty when not given, "1" for a flag given.
    const std::string& Value(const char* name) const;
    // The --codepage option's page; 1252 when not given.
    const CodePage& Page() const { return page; }

private:
    // False, with error for the usage line, when the words themselves are wrong.
    bool ReadWords(int argc, char** argv, std::string& error);
    // False, with error, when what was read does not fit syntax.
    bool Check(const CommandSyntax& syntax, std::string& error);

    std::vector<OptionSpec> options;
    std::vector<std::string> values;
    std::vector<std::string> operands;
    CodePage page;
    bool wantsHelp = false;
};

// Every command names its code page the same way.
extern const OptionSpec CodePageOption;

// The page a decimal number names. False, with error, when text is no
// number or names no code page this system converts.
bool SelectCodePage(const std::string& text, CodePage& page, std::string& error);
