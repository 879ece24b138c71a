// StringList: sizing, growth and element relocation.
#include "base/StringList.h"

#include <cassert>
#include <cstdlib>
#include <new>
#include <utility>

StringList::~StringList()
{
    Resize(0);
}

String* StringList::AllocateArray(int size)
{
    void* memory = std::malloc(sizeof(String) * static_cast<size_t>(size));
    if (memory == nullptr)
        std::abort();  // the design assumes allocation succeeds
    return static_cast<String*>(memory);
}

void StringList::FreeArray(String* array)
{
    std::free(array);
}

void StringList::ConstructRange(int first, int last)
{
    for (int i = first; i < last; ++i)
        new (&elements[i]) String(EmptyString);
}

void StringList::DestroyRange(int first, int last)
{
    for (int i = first; i < last; ++i)
        elements[i].~String();
}

void StringList::Resize(int newCount, int growBy)
{
    assert(newCount >= 0);
    if (growBy != -1)
        growthStep = growBy;

    if (newCount == 0) {
        DestroyRange(0, count);
        FreeArray(elements);
        elements = nullptr;
        count = capacity = 0;
        return;
    }
    if (elements == nullptr) {
        elements = AllocateArray(newCount);
        ConstructRange(0, newCount);
        count = capacity = newCount;
        return;
    }
    if (newCount <= capacity) {
        if (newCount > count)
            ConstructRange(count, newCount);
        else
            DestroyRange(newCount, count);
        count = newCount;
        return;
    }

    int step = growthStep;
    if (step == 0) {
        step = count / 8;
        step = step < 4 ? 4 : (step > 1024 ? 1024 : step);
    }
    int newCapacity = capacity + step;
    if (newCapacity < newCount)
        newCapacity = newCount;
    String* grown = AllocateArray(newCapacity);
    // Relocate: each element's block moves to its new place, nothing is copied.
    for (int i = 0; i < count; ++i) {
        new (&grown[i]) String();
        grown[i].Swap(elements[i]);
        elements[i].~String();
    }
    FreeArray(elements);
    elements = grown;
    ConstructRange(count, newCount);
    count = newCount;
    capacity = newCapacity;
}

void StringList::PutAt(int index, const String& value)
{
    if (index >= count) {
        // Growing relocates the elements, so a value taken from this list
        // must be copied first.
        if (&value >= elements && &value < elements + count) {
            const String copy(value);
            PutAt(index, copy);
            return;
        }
        Resize(index + 1, -1);
    }
    elements[index] = value;
}

void StringList::Swap(StringList& other)
{
    std::swap(elements, other.elements);
    std::swap(count, other.count);
    std::swap(capacity, other.capacity);
    std::swap(growthStep, other.growthStep);
}
