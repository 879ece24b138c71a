// TestPackage: package files for end-to-end tests, sound or deliberately broken.
#pragma once

#include <string>
#include <vector>

#include "package/PackHead.h"
#include "package/PackHeadEncoder.h"
#include "package/PackageTrailer.h"
#include "tests/support/TestArchive.h"

// The entries of a well-formed package: one per pattern (its data names the
// pattern), then PackHead built from parts.
std::vector<TestEntry> PackageEntries(const PackHeadParts& parts);

// Packs stubPath with the payload bytes into outputPath as the packager does;
// the payload is staged in a file beside outputPath first.
bool AssembleTestPackage(const std::string& stubPath, const std::string& payload,
                         const std::string& outputPath, std::string& error);

// Writes stub, payload and the trailer exactly as given, for endings the
// packager would never produce.
bool WriteRawPackage(const std::string& stubPath, const std::string& payload, const PackageTrailer& trailer,
                     const std::string& outputPath, std::string& error);
