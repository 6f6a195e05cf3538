// The command-line tool's heap: every allocation its own, aligned memory,
// also of nothing, beyond the huge-page block and for absurd sizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace {

bool Aligned(const void *p)
{
    return reinterpret_cast<std::uintptr_t>(p) % __STDCPP_DEFAULT_NEW_ALIGNMENT__ == 0;
}

TEST(HugePageHeap, AllocationsAreDistinctAlignedAndOutliveTheBlock)
{
    void *a = ::operator new(0);
    void *b = ::operator new(0);
    EXPECT_NE(a, b);
    EXPECT_TRUE(Aligned(a) && Aligned(b));
    ::operator delete(a);
    ::operator delete(b);

    // 24 MiB in pieces of 1 MiB: the block holds 8, the rest come from
    // malloc; each keeps its own bytes.
    std::vector<std::unique_ptr<unsigned char[]>> pieces;
    constexpr std::size_t Piece = std::size_t(1) << 20;
    for (int i = 0; i < 24; ++i) {
        pieces.emplace_back(new unsigned char[Piece]);
        ASSERT_TRUE(Aligned(pieces.back().get()));
        std::memset(pieces.back().get(), i, Piece);
    }
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(pieces[i][0] + pieces[i][Piece - 1], 2 * i) << i;

    std::unique_ptr<char[]> large(new char[std::size_t(64) << 20]); // larger than the block
    large[(std::size_t(64) << 20) - 1] = 1;
}

TEST(HugePageHeap, ImpossibleSizesThrow)
{
    // A size whose rounding would wrap must not become a small allocation.
    for (volatile std::size_t size : {std::numeric_limits<std::size_t>::max(),
                                       std::numeric_limits<std::size_t>::max() - 3})
        EXPECT_THROW(static_cast<void>(::operator new(size)), std::bad_alloc);
}

} // namespace
