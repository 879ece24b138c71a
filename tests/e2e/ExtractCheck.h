// ExtractCheck: themepack extract on a package the installer has just installed, against what the installer wrote.
#pragma once

#include <string>
#include <vector>

// The folders the extract root's stand-ins replace, each ending in a backslash.
struct InstallFolders {
    std::string themes;
    std::string windows;
    std::string system;
    std::string fonts;
};

// Runs themepack extract on package into root, made afresh, and compares the
// files it wrote, by their paths below the stand-ins and their bytes, with
// added: the full paths of the files the installation created. kept are
// files that were in place before it, which the installer left alone and
// extract, starting empty, writes; they are not compared. Empty when both
// agree, otherwise what differs.
std::string ExtractDifference(const std::string& package, const std::string& root, const InstallFolders& folders,
                              const std::vector<std::string>& added, const std::vector<std::string>& kept);
