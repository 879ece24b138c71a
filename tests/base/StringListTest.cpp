// Tests of StringList: growth steps, resizing and relocation of elements.
#include "base/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void Append(StringList& list, const char* text)
{
    list.PutAt(list.Count(), String(text));
}

TEST(StringList, AppendingTenValuesPassesThroughCapacities1_5_9_13)
{
    StringList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);

    std::vector<int> capacities;
    for (int i = 0; i < 10; ++i) {
        Append(list, std::to_string(i).c_str());
        if (capacities.empty() || capacities.back() != list.Capacity())
            capacities.push_back(list.Capacity());
        EXPECT_EQ(list.Count(), i + 1);
    }
    EXPECT_EQ(capacities, (std::vector<int>{1, 5, 9, 13}));
    for (int i = 0; i < 10; ++i)
        EXPECT_STREQ(list[i].Text(), std::to_string(i).c_str()) << "element " << i;
}

TEST(StringList, AutomaticStepIsAnEighthBetween4And1024)
{
    struct Row {
        int count;
        int capacityAfterAppend;
    };
    const Row rows[] = {
        {0, 1},        // no array yet: exactly what is needed
        {1, 5},
        {8, 12},       // 8 / 8 = 1, raised to 4
        {32, 36},
        {40, 45},
        {8192, 9216},
        {9000, 10024}, // 1125, capped at 1024
    };
    for (const Row& row : rows) {
        StringList list;
        if (row.count > 0)
            list.Resize(row.count);
        Append(list, "x");
        EXPECT_EQ(list.Capacity(), row.capacityAfterAppend) << "from " << row.count;
        EXPECT_EQ(list.Count(), row.count + 1) << "from " << row.count;
    }
}

TEST(StringList, ExplicitGrowthStepIsKeptUntilChanged)
{
    StringList list;
    list.Resize(1, 10);
    Append(list, "a");
    EXPECT_EQ(list.Capacity(), 11);

    list.Resize(12);  // -1 keeps the step of 10
    EXPECT_EQ(list.Capacity(), 21);

    list.Resize(21, 0);  // back to automatic
    Append(list, "b");
    EXPECT_EQ(list.Capacity(), 25);

    list.Resize(100);  // more than one step: exactly what is needed
    EXPECT_EQ(list.Capacity(), 100);
}

TEST(StringList, ResizeWithinCapacityDropsAndRemakesElements)
{
    StringList list;
    for (const char* text : {"a", "b", "c", "d", "e"})
        Append(list, text);
    const int capacity = list.Capacity();

    list.Resize(2);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Capacity(), capacity) << "shrinking keeps the array";
    EXPECT_STREQ(list[1].Text(), "b");

    list.Resize(4);
    EXPECT_EQ(list.Capacity(), capacity);
    EXPECT_STREQ(list[2].Text(), "") << "elements made again are empty";
    EXPECT_STREQ(list[3].Text(), "");

    list.Resize(0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0) << "emptying frees the array";

    Append(list, "again");
    EXPECT_EQ(list.Capacity(), 1);
    EXPECT_STREQ(list[0].Text(), "again");
}

TEST(StringList, GrowingMovesTextBlocksWithoutCopying)
{
    StringList list;
    Append(list, "%ThemeDir%Blue.theme");
    Append(list, "%WinDir%Blue.bmp");
    const char* first = list[0].Text();
    const char* second = list[1].Text();

    list.Resize(50);
    EXPECT_EQ(list[0].Text(), first);
    EXPECT_EQ(list[1].Text(), second);
    EXPECT_STREQ(list[1].Text(), "%WinDir%Blue.bmp");
    EXPECT_STREQ(list[49].Text(), "");
}

TEST(StringList, PutAtBeyondTheEndFillsWithEmptyElements)
{
    StringList list;
    list.PutAt(3, String("d"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Capacity(), 4);
    EXPECT_STREQ(list[0].Text(), "");
    EXPECT_STREQ(list[3].Text(), "d");

    list.PutAt(1, String("b"));
    EXPECT_EQ(list.Count(), 4) << "overwriting does not grow";
    EXPECT_STREQ(list[1].Text(), "b");
}

TEST(StringList, AppendingAnElementOfTheSameListSurvivesGrowth)
{
    StringList list;
    Append(list, "first");
    list.PutAt(list.Count(), list[0]);  // the array moves while the value is copied
    EXPECT_EQ(list.Count(), 2);
    EXPECT_STREQ(list[0].Text(), "first");
    EXPECT_STREQ(list[1].Text(), "first");
    EXPECT_NE(list[0].Text(), list[1].Text());
}

}  // namespace
