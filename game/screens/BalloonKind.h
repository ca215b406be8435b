#pragma once
// The shapes of a speech balloon: which side its tail points from and how much text it
// holds. Each picks the balloon model's suffix and the place and size of its text area.

namespace Morvane {

enum class BalloonKind : int { LeftSmall = 0, LeftBig = 1, RightSmall = 2, RightBig = 3, RightVeryBig = 4 };

}  // namespace Morvane
