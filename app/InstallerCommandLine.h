// InstallerCommandLine: the installer's command-line record, with its silent switch.
#pragma once

#include "framework/CommandLineInfo.h"

// Parsed at start-up and discarded unread: no argument changes what the
// installer does.
class InstallerCommandLine : public CommandLineInfo {
public:
    ~InstallerCommandLine() override = default;
    void ParseArgument(const char* text, bool isSwitch, bool isLast) override;

    int silent = 0;
};
