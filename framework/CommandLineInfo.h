// CommandLineInfo: the framework's record of a parsed command line.
#pragma once

#include "base/String.h"

// Filled argument by argument through ParseArgument; owns its strings.
class CommandLineInfo {
public:
    enum Action { ActionNone = 0, ActionOpen = 1, ActionPrint = 2, ActionPrintTo = 3 };

    virtual ~CommandLineInfo() = default;
    // text is the argument without its leading '-' or '/' when isSwitch.
    virtual void ParseArgument(const char* text, bool isSwitch, bool isLast);

    int action = ActionNone;
    String fileName;
    String printer;
    String driver;
    String port;

protected:
    void ParseSwitch(const char* text);
    void ParseValue(const char* text);
    void FinishArgument(bool isLast);
};
