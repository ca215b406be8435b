#pragma once
// The phases of a customer, in the order it runs through them.

namespace Morvane {

enum CustomerState : int {
    // The figure's walk-in animation plays.
    kWalkingIn = 0,
    kBalloonFadingIn = 1,
    // Can be served.
    kWaiting = 2,
    kItemsFadingOut = 3,
    kShowingRating = 4,
    // The walk-in animation backwards; the customer is gone once it has stopped.
    kWalkingOut = 5,
};

}  // namespace Morvane
