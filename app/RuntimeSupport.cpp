// RuntimeSupport: the C++ run-time pieces the installer provides itself.
//
// The installer is built without exceptions. The standard library's own
// allocation and container error paths throw, and would link in the whole
// exception machinery, the thread library it locks with, and a terminate
// handler that demangles type names: more than half of the program. Here
// each of those paths ends the program instead, as an exception nothing
// catches would.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void EndProgram()
{
    std::abort();
}

}  // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size != 0 ? size : 1);
    if (block == nullptr)
        EndProgram();
    return block;
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace std {

void __throw_bad_alloc()
{
    EndProgram();
}

void __throw_bad_array_new_length()
{
    EndProgram();
}

void __throw_length_error(const char*)
{
    EndProgram();
}

void __throw_logic_error(const char*)
{
    EndProgram();
}

void __throw_out_of_range_fmt(const char*, ...)
{
    EndProgram();
}

}  // namespace std

namespace __gnu_cxx {

// The default handler names the uncaught exception's type, which takes the
// demangler; there is no exception to name.
void __verbose_terminate_handler()
{
    EndProgram();
}

}  // namespace __gnu_cxx
