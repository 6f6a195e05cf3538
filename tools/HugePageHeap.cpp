// The tool's heap: operator new serves every allocation from one block
// reserved at the first allocation and advised for transparent huge pages.
// On virtual machines with shadow paging a first touch of a 4 KiB page costs
// 10-15 us, and the decoder's working memory (about 1 MB: the dump text,
// the dump bytes, the series lines) then costs more than the decoding
// itself; a 2 MiB page is one fault. Freed memory of the block is not
// reused: the tool runs once and ends. Allocations the block cannot hold,
// and every allocation where the block cannot be mapped, go to malloc.
#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t HugePage = std::size_t(2) << 20;
constexpr std::size_t BlockSize = 4 * HugePage; // pages are only backed once touched
constexpr std::size_t Alignment = __STDCPP_DEFAULT_NEW_ALIGNMENT__;

struct Block {
    Block()
    {
        // Mapped with a huge page's room to spare, so the block can start on
        // a huge-page boundary.
        void *mapped = ::mmap(nullptr, BlockSize + HugePage, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (mapped == MAP_FAILED)
            return;
        const auto at = reinterpret_cast<std::uintptr_t>(mapped);
        base = reinterpret_cast<char *>((at + HugePage - 1) & ~(std::uintptr_t(HugePage) - 1));
        ::madvise(base, BlockSize, MADV_HUGEPAGE); // without it: ordinary pages
    }
    char *base = nullptr;
    std::atomic<std::size_t> used{0};
};

Block &TheBlock()
{
    static Block block;
    return block;
}

bool InBlock(const void *p)
{
    const char *base = TheBlock().base;
    return base && p >= base && p < base + BlockSize;
}

} // namespace

void *operator new(std::size_t size)
{
    Block &block = TheBlock();
    if (block.base && size <= BlockSize) {
        // Every allocation, even of nothing, gets an address of its own.
        const std::size_t rounded = (std::max<std::size_t>(size, 1) + Alignment - 1) & ~(Alignment - 1);
        const std::size_t at = block.used.fetch_add(rounded, std::memory_order_relaxed);
        if (at + rounded <= BlockSize)
            return block.base + at;
    }
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    if (!InBlock(p))
        std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    operator delete(p);
}
