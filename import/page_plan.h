#pragma once

#include "import/act.h"

#include <cstddef>
#include <string>
#include <vector>

namespace lexoria {

// One page of the statute: the provisions first to last (indices into the
// act's provisions, both included).
struct PagePlan {
    std::size_t first = 0, last = 0;
    std::string file;
};

// Splits the provisions into at most capacity pages, as the reader's index
// can hold no more: one provision a page where they fit, else runs of
// consecutive ones, as short as they can be, within one innermost container
// where that is enough and across containers where it is not.
std::vector<PagePlan> planPages(const std::vector<Provision>& provisions, std::size_t capacity);

}  // namespace lexoria
