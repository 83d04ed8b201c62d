// The heap counter of the benchmarks: linking this library replaces the global allocation
// functions and pugixml's allocator of the benchmark program, so every byte the code under test
// asks for is counted. A HeapWindow reads how much the heap grew, and how high it went, while it
// was open.
#pragma once

#include <cstddef>

namespace hlreports::bench {

// Bytes held now by C++ allocations and pugixml (SQLite keeps its own count).
std::size_t HeapBytes();

class HeapWindow {
  public:
    HeapWindow();  // starts a new peak at the current level
    // The highest level since the window opened, above its start.
    std::size_t PeakBytes() const;
    // What the heap holds now beyond its start (0 when it holds less).
    std::size_t RetainedBytes() const;

  private:
    std::size_t start_;
};

}  // namespace hlreports::bench
