// The rows of a line list, kept in arrival order in one byte arena plus an offset array,
// and shown newest first under a fixed heading. Both grow in fixed-size chunks, so an
// insert costs the same at ten rows and at ten million and no reallocation ever copies
// the rows; memory per row is its bytes plus an 8-byte offset.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LineStore {
 public:
  explicit LineStore(std::string heading);

  // Rows shown: the heading plus every line.
  std::size_t RowCount() const { return 1 + lines_; }
  std::size_t LineCount() const { return lines_; }

  // Adds a line: it becomes row 1, just below the heading.
  void Insert(std::string_view bytes);

  // The bytes of a shown row (0 is the heading), copied out of the arena.
  std::string Row(std::size_t row) const;

  // The arrival index of a shown row (row 1 is the newest line), and back.
  std::size_t LineOfRow(std::size_t row) const { return lines_ - row; }
  std::size_t RowOfLine(std::size_t line) const { return lines_ - line; }

  // Bytes held for the lines: the arena and the offsets, allocated chunks included.
  std::size_t BytesReserved() const;

 private:
  static constexpr std::size_t kArenaChunk = 1 << 20;   // bytes
  static constexpr std::size_t kOffsetChunk = 1 << 16;  // offsets (512 KiB)

  std::uint64_t EndOf(std::size_t line) const;  // arena offset just past a line
  void AppendBytes(std::string_view bytes);

  std::string heading_;
  std::vector<std::unique_ptr<char[]>> arena_;
  std::vector<std::unique_ptr<std::uint64_t[]>> ends_;  // end offset of each line
  std::uint64_t used_ = 0;                              // arena bytes in use
  std::size_t lines_ = 0;
};
