// Commands: themepack's commands by name, and each one's entry point.
#pragma once

// Each takes the arguments after its command name and returns the exit status.
int RunCreate(int argc, char** argv);
int RunBuild(int argc, char** argv);
int RunInspect(int argc, char** argv);
int RunList(int argc, char** argv);
int RunExtract(int argc, char** argv);

// One command: the name users type and what runs it.
struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
};

// The command of that name; null when there is none.
const Command* FindCommand(const char* name);
