// Counts every allocation made through operator new in this test program.
#pragma once

#include <cstddef>

std::size_t AllocationCount();
