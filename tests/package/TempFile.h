// TempFile: a uniquely named file in the test temporary folder, removed when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

// Owns one path; the destructor deletes whatever file the test left there.
class TempFile {
public:
    explicit TempFile(const char* name)
    {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = ::testing::TempDir() + "unit_" + test->name() + "_" + name;
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() { std::remove(path.c_str()); }

    const char* Path() const { return path.c_str(); }

    void Write(const std::vector<unsigned char>& bytes) const
    {
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }

    std::vector<unsigned char> ReadAll() const
    {
        std::vector<unsigned char> bytes;
        FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr)
            return bytes;
        unsigned char chunk[4096];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            bytes.insert(bytes.end(), chunk, chunk + got);
        std::fclose(file);
        return bytes;
    }

private:
    std::string path;
};
