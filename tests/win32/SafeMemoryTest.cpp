#include "base/SafeMemory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

using base::ReadTextAt;

TEST(ReadTextAt, CopiesATerminatedText) {
    const char text[] = "[\"a\",\"b\"]";
    EXPECT_EQ(ReadTextAt(reinterpret_cast<uintptr_t>(text)), "[\"a\",\"b\"]");
    EXPECT_EQ(ReadTextAt(reinterpret_cast<uintptr_t>("")), "");
    EXPECT_EQ(ReadTextAt(0), "");
}

TEST(ReadTextAt, UnreadableAddressesGiveNothing) {
    EXPECT_FALSE(ReadTextAt(1));
    EXPECT_FALSE(ReadTextAt(0x10));
    EXPECT_FALSE(ReadTextAt(static_cast<uintptr_t>(-1)));
    void* freed = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    VirtualFree(freed, 0, MEM_RELEASE);
    EXPECT_FALSE(ReadTextAt(reinterpret_cast<uintptr_t>(freed)));
}

TEST(ReadTextAt, StopsAtTheEdgeOfReadableMemory) {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    auto* block =
        static_cast<char*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(block, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(block + page, page, PAGE_NOACCESS, &old));
    // A text that ends exactly at the end of the readable page is read...
    char* text = block + page - 6;
    std::memcpy(text, "hello", 6);
    EXPECT_EQ(ReadTextAt(reinterpret_cast<uintptr_t>(text)), "hello");
    // ...one that runs into the unreadable page is not, and nothing crashes.
    std::memset(block, 'x', page);
    EXPECT_FALSE(ReadTextAt(reinterpret_cast<uintptr_t>(block + 100)));
    // A text longer than the limit is not taken either.
    block[page - 1] = '\0';
    EXPECT_FALSE(ReadTextAt(reinterpret_cast<uintptr_t>(block), 100));
    EXPECT_EQ(ReadTextAt(reinterpret_cast<uintptr_t>(block + page - 4), 100), "xxx");
    VirtualFree(block, 0, MEM_RELEASE);
}
