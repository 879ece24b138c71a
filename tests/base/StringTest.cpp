// Tests of String: exact-fit blocks, searches, clipping, replacement and formatting.
#include "base/String.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace {

std::string Bytes(const String& s)
{
    return std::string(s.Text(), static_cast<size_t>(s.Length()));
}

TEST(String, NewStringIsEmptyAndSharesTheEmptyBlock)
{
    String a;
    String b;
    EXPECT_EQ(a.Length(), 0);
    EXPECT_EQ(a.Capacity(), 0);
    EXPECT_STREQ(a.Text(), "");
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_EQ(a.Text(), EmptyString.Text());

    String copy(a);
    EXPECT_EQ(copy.Text(), a.Text()) << "copying an empty String allocates nothing";
}

TEST(String, BlocksAreSizedExactlyAndKeptWhenBigEnough)
{
    struct Row {
        const char* name;
        std::function<void(String&)> act;
        const char* text;
        int capacity;
    };
    const Row rows[] = {
        {"assign", [](String& s) { s = "abc"; }, "abc", 3},
        {"assign null", [](String& s) { s = "abc"; s = static_cast<const char*>(nullptr); }, "", 3},
        {"assign shorter keeps block", [](String& s) { s = "abcdef"; s = "ab"; }, "ab", 6},
        {"assign empty keeps block", [](String& s) { s = "abcdef"; s = ""; }, "", 6},
        {"assign longer reallocates exactly", [](String& s) { s = "abc"; s = "abcdefgh"; }, "abcdefgh", 8},
        {"append grows to exact fit", [](String& s) { s = "abc"; s.Append("de"); }, "abcde", 5},
        {"append into spare room", [](String& s) { s = "abcdef"; s = "ab"; s.Append("cd"); }, "abcd", 6},
        {"append to empty", [](String& s) { s.Append("xy"); }, "xy", 2},
        {"append null", [](String& s) { s = "ab"; s.Append(static_cast<const char*>(nullptr)); }, "ab", 2},
        {"append empty", [](String& s) { s = "ab"; s.Append(""); }, "ab", 2},
        {"append character", [](String& s) { s = "ab"; s.Append('c'); }, "abc", 3},
        {"self append grows", [](String& s) { s = "abc"; s.Append(s.Text()); }, "abcabc", 6},
        {"self append in place",
         [](String& s) { s = "abcdefgh"; s = "abc"; s.Append(s.Text()); }, "abcabc", 8},
        {"self assignment", [](String& s) { s = "abc"; s = s; }, "abc", 3},
        {"assign own tail", [](String& s) { s = "abcdef"; s = s.Text() + 2; }, "cdef", 6},
    };
    for (const Row& row : rows) {
        String s;
        row.act(s);
        EXPECT_STREQ(s.Text(), row.text) << row.name;
        EXPECT_EQ(s.Length(), static_cast<int>(std::strlen(row.text))) << row.name;
        EXPECT_EQ(s.Capacity(), row.capacity) << row.name;
    }
}

TEST(String, AppendingAZeroByteCountsIt)
{
    String s("ab");
    s.Append('\0');
    EXPECT_EQ(s.Length(), 3);
    EXPECT_EQ(Bytes(s), std::string("ab\0", 3));
}

TEST(String, CopiesOwnTheirBlocks)
{
    String original("theme");
    String copy(original);
    original = "other";
    EXPECT_STREQ(copy.Text(), "theme");
    EXPECT_NE(copy.Text(), original.Text());
}

TEST(String, SystemCallsWriteThroughReserveAndCommit)
{
    String s;
    char* buffer = s.ReserveBuffer(260);
    EXPECT_EQ(s.Length(), 0) << "reserving keeps the length";
    std::strcpy(buffer, "abc");
    s.CommitBuffer(-1);
    EXPECT_EQ(s.Length(), 3);
    EXPECT_EQ(s.Capacity(), 260);
    EXPECT_STREQ(s.Text(), "abc");

    EXPECT_EQ(s.ReserveBuffer(100), buffer) << "a big enough block is returned unchanged";
    s.ReserveBuffer(300);
    EXPECT_STREQ(s.Text(), "abc") << "growing keeps the text";
    EXPECT_EQ(s.Length(), 3);
    EXPECT_EQ(s.Capacity(), 300);

    s.ResizeBuffer(5);
    EXPECT_EQ(s.Length(), 5);
    EXPECT_EQ(s.Text()[5], '\0');

    String full;
    std::memset(full.ReserveBuffer(4), 'x', 4);
    full.CommitBuffer(-1);
    EXPECT_EQ(Bytes(full), "xxxx") << "a buffer without a NUL commits its whole capacity";

    String none;
    none.CommitBuffer(-1);
    EXPECT_EQ(none.Length(), 0);
}

TEST(String, FindHonoursStartAndCase)
{
    struct Row {
        const char* text;
        const char* pattern;
        int start;
        int found;
        int foundNoCase;
    };
    const Row rows[] = {
        {"abcabc", "bc", 0, 1, 1},
        {"abcabc", "bc", 2, 4, 4},
        {"abcabc", "BC", 0, -1, 1},
        {"abc", "", 1, 1, 1},
        {"abc", "", 3, 3, -1},   // start at the end: only Find matches the empty pattern
        {"abc", "c", 3, -1, -1},
        {"abc", "", 4, -1, -1},  // one beyond the end: nothing is searched
        {"", "", 0, 0, -1},
        {"x.theme", ".the", 0, 1, 1},
        {"X.THEME", ".the", 0, -1, 1},
        {"x.ThEmE", ".tHe", 0, -1, 1},
        {"\xE4", "\xC4", 0, -1, -1},  // upper-half letters are not folded
        {"a\xC4", "\xC4", 0, 1, 1},
        {"@[", "`{", 0, -1, -1},      // neighbours of the letters are not folded either
        {"ab", "abc", 0, -1, -1},
    };
    for (const Row& row : rows) {
        const String s(row.text);
        EXPECT_EQ(s.Find(row.pattern, row.start), row.found)
            << "Find \"" << row.pattern << "\" in \"" << row.text << "\" from " << row.start;
        EXPECT_EQ(s.FindNoCase(row.pattern, row.start), row.foundNoCase)
            << "FindNoCase \"" << row.pattern << "\" in \"" << row.text << "\" from " << row.start;
    }
}

TEST(String, LeftAndMidClipTheirArguments)
{
    const String abc("abc");
    struct Row {
        const char* name;
        String result;
        const char* text;
    };
    const Row rows[] = {
        {"Left -3", abc.Left(-3), ""},
        {"Left 0", abc.Left(0), ""},
        {"Left 2", abc.Left(2), "ab"},
        {"Left 3", abc.Left(3), "abc"},
        {"Left 100", abc.Left(100), "abc"},
        {"Mid 5 2", abc.Mid(5, 2), ""},
        {"Mid 3 1", abc.Mid(3, 1), ""},
        {"Mid 1 100", abc.Mid(1, 100), "bc"},
        {"Mid 1 1", abc.Mid(1, 1), "b"},
        {"Mid -2 2", abc.Mid(-2, 2), "ab"},
        {"Mid 1 -1", abc.Mid(1, -1), ""},
        {"Mid 0 3", abc.Mid(0, 3), "abc"},
        {"Mid of empty", String().Mid(0, 4), ""},
    };
    for (const Row& row : rows) {
        EXPECT_STREQ(row.result.Text(), row.text) << row.name;
        EXPECT_EQ(row.result.Length(), static_cast<int>(std::strlen(row.text))) << row.name;
    }
}

TEST(String, ReplaceNoCaseReplacesEveryOccurrenceOnce)
{
    struct Row {
        const char* text;
        const char* oldText;
        const char* newText;
        const char* result;
        int count;
    };
    const Row rows[] = {
        {"%ThemeDir%Blue.theme", "%ThemeDir%", "C:\\Themes\\", "C:\\Themes\\Blue.theme", 1},
        {"%THEMEDIR%Blue.theme", "%ThemeDir%", "C:\\T\\", "C:\\T\\Blue.theme", 1},
        {"%themedir%Blue.theme", "%ThemeDir%", "C:\\T\\", "C:\\T\\Blue.theme", 1},
        {"%ThemeDir%a;%themedir%b", "%ThemeDir%", "X\\", "X\\a;X\\b", 2},
        {"abc", "", "x", "abc", 0},
        {"abc", nullptr, "x", "abc", 0},
        {"abc", "zz", "x", "abc", 0},
        {"", "a", "x", "", 0},
        {"aab", "ab", "b", "ab", 1},              // the new pair is not seen again
        {"aaa", "a", "aa", "aaaaaa", 3},          // the replacement is not rescanned
        {"aaaa", "aa", "b", "bb", 2},             // matches do not overlap
        {"aXa", "x", "long middle", "along middlea", 1},
        {"a long middle b", "LONG MIDDLE", "-", "a - b", 1},
        {"abcabc", "B", nullptr, "acac", 2},
        {"abc", "abc", "", "", 1},
    };
    for (const Row& row : rows) {
        String s(row.text);
        const char* name = row.oldText == nullptr ? "(null)" : row.oldText;
        EXPECT_EQ(s.ReplaceNoCase(row.oldText, row.newText), row.count) << row.text << " / " << name;
        EXPECT_STREQ(s.Text(), row.result) << row.text << " / " << name;
        EXPECT_EQ(s.Length(), static_cast<int>(std::strlen(row.result))) << row.text << " / " << name;
    }
}

TEST(String, ReplaceNoCaseSizesTheBlockForTheResult)
{
    String grown("%WinDir%x");
    grown.ReplaceNoCase("%windir%", "C:\\windows\\");
    EXPECT_EQ(grown.Capacity(), grown.Length()) << "growing allocates exactly";

    String shrunk("%SysDir%x");
    shrunk.ReplaceNoCase("%SysDir%", "S\\");
    EXPECT_EQ(shrunk.Capacity(), 9) << "shrinking keeps the block";
    EXPECT_STREQ(shrunk.Text(), "S\\x");
}

TEST(String, ReplaceNoCaseWorksAcrossEmbeddedZeros)
{
    String s;
    std::memcpy(s.ResizeBuffer(5), "ab\0AB", 5);
    EXPECT_EQ(s.ReplaceNoCase("ab", "xyz"), 2);
    EXPECT_EQ(Bytes(s), std::string("xyz\0xyz", 7));
}

// Formats with String and with the C library from the same arguments. On
// Windows that is the system's C runtime, whose formatter String uses there
// (it writes exponents with three digits, for one).
void ExpectFormatsLikeCLibrary(const char* format, ...) PRINTF_FORMAT(1, 2);
void ExpectFormatsLikeCLibrary(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    String s("previous text");
    s.FormatList(format, arguments);
    static char expected[4096];
#ifdef _WIN32
    _vsnprintf(expected, sizeof expected, format, again);
#else
    std::vsprintf(expected, format, again);
#endif
    va_end(again);
    va_end(arguments);
    EXPECT_STREQ(s.Text(), expected) << "format " << format;
    EXPECT_EQ(s.Length(), static_cast<int>(std::strlen(expected))) << "format " << format;
    EXPECT_GE(s.Capacity(), s.Length()) << "format " << format;
}

TEST(String, FormatPrintsWhatTheCLibraryPrints)
{
    const std::string longText(1000, 'q');
    ExpectFormatsLikeCLibrary("%d files in %s", 12, "C:\\Themes");
    ExpectFormatsLikeCLibrary("%5.2f|%-8s|%08x|%%|%c", 3.14159, "ab", 0xBEEFu, 'z');
    ExpectFormatsLikeCLibrary("%#o %#x %+d % d", 8u, 255u, 7, 7);
    ExpectFormatsLikeCLibrary("%*d|%.*s|%.3s", 6, 42, 2, "abcdef", "abcdef");
    ExpectFormatsLikeCLibrary("%s", longText.c_str());
    ExpectFormatsLikeCLibrary("%f", 1e300);
    ExpectFormatsLikeCLibrary("%e %g %G", 12345.678, 0.0001, 1e-10);
    ExpectFormatsLikeCLibrary("%s", "");
    ExpectFormatsLikeCLibrary("a%cb", 0);  // the text ends at the zero byte
}

TEST(String, FormatOfANullStringReservesForTheLibrarysText)
{
    // volatile: keeps the compiler from seeing the null at build time.
    const char* volatile none = nullptr;
    String s;
    s.Format("%s", none);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%s", none);
    EXPECT_STREQ(s.Text(), expected);
    EXPECT_GE(s.Capacity(), 6);
}

TEST(String, FormatMayUseItsOwnText)
{
    String s("ab");
    s.Format("%s-%s", s.Text(), s.Text());
    EXPECT_STREQ(s.Text(), "ab-ab");
    EXPECT_EQ(s.Length(), 5);
}

}  // namespace
