// StringList: the growable array of String that holds the package's path patterns.
#pragma once

#include "base/String.h"

// Owns a contiguous array of String elements; grows in steps of one eighth of
// its size (4 to 1024 elements) unless a growth step is set.
class StringList {
public:
    StringList() = default;
    StringList(const StringList&) = delete;
    StringList& operator=(const StringList&) = delete;
    virtual ~StringList();

    int Count() const { return count; }
    int Capacity() const { return capacity; }
    String& operator[](int index) { return elements[index]; }
    const String& operator[](int index) const { return elements[index]; }

    // growBy -1 keeps the stored growth step; 0 chooses it automatically.
    void Resize(int newCount, int growBy = -1);
    void PutAt(int index, const String& value);
    // Exchanges the contents of two lists; nothing is copied.
    void Swap(StringList& other);

private:
    static String* AllocateArray(int size);
    static void FreeArray(String* array);
    void DestroyRange(int first, int last);
    void ConstructRange(int first, int last);

    String* elements = nullptr;
    int count = 0;
    int capacity = 0;
    int growthStep = 0;
};
