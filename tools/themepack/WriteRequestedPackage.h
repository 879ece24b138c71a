// WriteRequestedPackage: where create and build end: the package written, and a line that says so.
#pragma once

struct PackageRequest;

// Writes the package and says so on standard output, or reports why not;
// returns the exit status.
int WriteRequestedPackage(const PackageRequest& request);
