#include "LineStore.h"

#include <algorithm>
#include <cstring>

LineStore::LineStore(std::string heading) : heading_(std::move(heading)) {}

std::uint64_t LineStore::EndOf(std::size_t line) const {
  return ends_[line / kOffsetChunk][line % kOffsetChunk];
}

void LineStore::AppendBytes(std::string_view bytes) {
  // A line may run across chunks: no space is wasted at a chunk's end.
  while (!bytes.empty()) {
    const std::size_t inChunk = used_ % kArenaChunk;
    if (inChunk == 0 && used_ / kArenaChunk == arena_.size()) {
      arena_.push_back(std::make_unique_for_overwrite<char[]>(kArenaChunk));
    }
    const std::size_t n = std::min(bytes.size(), kArenaChunk - inChunk);
    std::memcpy(arena_[used_ / kArenaChunk].get() + inChunk, bytes.data(), n);
    used_ += n;
    bytes.remove_prefix(n);
  }
}

void LineStore::Insert(std::string_view bytes) {
  AppendBytes(bytes);
  if (lines_ % kOffsetChunk == 0 && lines_ / kOffsetChunk == ends_.size()) {
    ends_.push_back(std::make_unique_for_overwrite<std::uint64_t[]>(kOffsetChunk));
  }
  ends_[lines_ / kOffsetChunk][lines_ % kOffsetChunk] = used_;
  ++lines_;
}

std::string LineStore::Row(std::size_t row) const {
  if (row == 0) return heading_;
  if (row > lines_) return {};
  const std::size_t line = LineOfRow(row);
  std::uint64_t begin = line == 0 ? 0 : EndOf(line - 1);
  const std::uint64_t end = EndOf(line);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(end - begin));
  while (begin < end) {
    const std::size_t inChunk = begin % kArenaChunk;
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::uint64_t>(end - begin, kArenaChunk - inChunk));
    bytes.append(arena_[begin / kArenaChunk].get() + inChunk, n);
    begin += n;
  }
  return bytes;
}

std::size_t LineStore::BytesReserved() const {
  return arena_.size() * kArenaChunk + ends_.size() * kOffsetChunk * sizeof(std::uint64_t);
}
