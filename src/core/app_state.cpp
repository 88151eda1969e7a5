#include "app_state.h"

#include <chrono>

namespace senvola {

void SeedFromClock(std::mt19937& random) {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    random.seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

}  // namespace senvola
