// The wizard's page history: ids of the pages that led to the current one, oldest
// first. Each page's Next pushes its own id in place; each page's Back pops.
#pragma once

#include <cstdint>
#include <vector>

using PageHistory = std::vector<int32_t>;

// Answer of PopPage when the history is empty: -1 keeps the wizard on its page.
constexpr int32_t kNoPreviousPage = -1;

// Returns the last id of the history and removes it; kNoPreviousPage (and the
// history unchanged) when it is empty.
int32_t PopPage(PageHistory& history);
