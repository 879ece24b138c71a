// CommandLineInfo: the open, print and print-to rules of the framework's parser.
#include "framework/CommandLineInfo.h"

#include <cstring>

void CommandLineInfo::ParseArgument(const char* text, bool isSwitch, bool isLast)
{
    if (isSwitch)
        ParseSwitch(text);
    else
        ParseValue(text);
    FinishArgument(isLast);
}

void CommandLineInfo::ParseSwitch(const char* text)
{
    if (std::strcmp(text, "pt") == 0)
        action = ActionPrintTo;
    else if (std::strcmp(text, "p") == 0)
        action = ActionPrint;
}

void CommandLineInfo::ParseValue(const char* text)
{
    if (fileName.IsEmpty())
        fileName = text;
    else if (action == ActionPrintTo && printer.IsEmpty())
        printer = text;
    else if (action == ActionPrintTo && driver.IsEmpty())
        driver = text;
    else if (action == ActionPrintTo && port.IsEmpty())
        port = text;
}

void CommandLineInfo::FinishArgument(bool isLast)
{
    if (isLast && action == ActionNone && !fileName.IsEmpty())
        action = ActionOpen;
}
