// LogControl: texts appended to a real rich-edit log arrive whole, in order, at the end, and in view.
#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <string>

#include "wizard/LogControl.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

// Counts the pieces of text the control asked for and got.
class CountingLog : public LogControl {
public:
    int pieces = 0;

protected:
    LONG ReadPiece(BYTE* buffer, LONG requested) override
    {
        const LONG delivered = LogControl::ReadPiece(buffer, requested);
        pieces += delivered > 0 ? 1 : 0;
        return delivered;
    }
};

}  // namespace

TEST(LogControl, AppendedTextsFollowOneAnotherAtTheEndInView)
{
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    HMODULE library = LoadLibraryA((std::string(folder) + "\\riched32.dll").c_str());
    ASSERT_NE(nullptr, library);
    HWND parent = CreateWindowExA(0, PlainWindowClass, "", WS_POPUP | WS_VISIBLE, 40, 200, 420, 160, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    {
        CountingLog log;
        // The unpack page's log: read-only, multi-line, both scroll bars.
        ASSERT_TRUE(log.Subclass(CreateWindowExA(0, "RICHEDIT", "", 0x50B108C4, 0, 0, 400, 120, parent, nullptr,
                                                 GetModuleHandleA(nullptr), nullptr)));
        std::string report;
        for (int line = 0; line < 300; ++line)
            report += "Could not write C:\\Themes\\Sample\\file" + std::to_string(line) + ".bmp\n";

        const struct {
            const char* name;
            std::string text;
            bool userSelectsAll;
            int minimumPieces;
        } rows[] = {
            {"one line", "Could not create the folder C:\\Themes\\Sample\\\n", false, 1},
            {"an empty text", "", false, 0},
            {"several kilobytes", report, false, 2},
            {"after the user selected everything", "Extraction failed.\n", true, 1},
        };
        std::string expected;
        for (const auto& row : rows) {
            if (row.userSelectsAll)
                log.Send(EM_SETSEL, 0, -1);
            log.pieces = 0;
            EXPECT_EQ(1, log.AppendLog(row.text.c_str())) << row.name;
            expected += row.text;
            std::string shown(expected.size() * 2 + 1, '\0');
            shown.resize(static_cast<size_t>(GetWindowTextA(log.Handle(), &shown[0], int(shown.size()))));
            // The control may hand paragraph ends back with a carriage return before each.
            shown.erase(std::remove(shown.begin(), shown.end(), '\r'), shown.end());
            EXPECT_TRUE(shown == expected) << row.name << ": " << shown.size() << " of " << expected.size() << " bytes";
            EXPECT_GE(log.pieces, row.minimumPieces) << row.name;
        }
        EXPECT_GT(log.Send(EM_GETFIRSTVISIBLELINE), 0) << "the end was not scrolled into view";
    }
    DestroyWindow(parent);
    FreeLibrary(library);
}
