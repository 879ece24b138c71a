// ProgramSignature: where a code signature's certificate table lies in a Windows program image.
#pragma once

#include <cstdint>

class StdioFile;

// The certificate table of a signed program, appended after everything else.
struct CertificateTable {
    uint64_t offset = 0;
    uint32_t size = 0;
};

// True when file (fileSize bytes) is a Windows program whose security
// directory names a certificate table that ends exactly at the end of the
// file; table then says where it starts. Every header field is checked
// against the file before it is used.
bool FindCertificateTable(StdioFile& file, uint64_t fileSize, CertificateTable& table);
