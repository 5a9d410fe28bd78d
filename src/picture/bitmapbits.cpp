#include "picture/bitmapbits.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace picture {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void TPixelsDeleter::operator()(uint32_t* pixels) const { std::free(pixels); }

std::unique_ptr<uint32_t[], TPixelsDeleter> AllocatePixels(std::size_t count) {
  std::size_t bytes = count * sizeof(uint32_t);
  bool huge = bytes >= 4 * kHugePage;
  std::size_t alignment = huge ? kHugePage : alignof(std::max_align_t);
  std::size_t rounded = (bytes + alignment - 1) / alignment * alignment;
  void* memory = std::aligned_alloc(alignment, rounded == 0 ? alignment : rounded);
  if (!memory) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  if (huge) ::madvise(memory, rounded, MADV_HUGEPAGE);  // advice only: failure changes nothing
#endif
  return std::unique_ptr<uint32_t[], TPixelsDeleter>(static_cast<uint32_t*>(memory));
}

}  // namespace picture
