#pragma once
// A customer's verdict on the service: the patience stage it was served in (0 best), or
// kRanOut when its patience ran out before its order was complete.

namespace Morvane {

enum ServiceRating : int {
    kServedQuickly = 0,
    kServedInTime = 1,
    kServedSlowly = 2,
    kRanOut = 3,
};

}  // namespace Morvane
