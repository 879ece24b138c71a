// HostText: the packager's texts about the system it runs on: quoted names and folders of host paths.
#pragma once

#include <string>

// 'text', as messages name files and patterns.
std::string Quoted(const std::string& text);

// The folder part of a path of the host system, ending in its separator; ""
// for a bare name.
std::string FolderOf(const std::string& path);
