#pragma once
// The script that answers the tutorial's hints 1 to 9 on the first day of the data set
// make_data builds, in the frames of a day runner counted from the day's first frame.

namespace replay {

// Hints 1 to 9 of the first day, each step well after the hint it answers has started.
inline constexpr const char* kFirstDayHints = R"(# hint 1 shows after 2 s; a key after half a second more
30 key SPACE
# hints 2 to 4 highlight the cake's three distributors, hint 5 the first customer
+30 click distributor cracker_waffle
+5 click distributor jelly_green
+5 click distributor cracker_chocolate
+10 click customer at place 0
# hint 6: the second customer's cake, sent by a right click wherever it stands
+30 click distributor cracker_fancy
+8 click distributor jelly_red
+8 click distributor cracker_fancy
+12 right_click point 400 20
# hint 7 wants something in the hand, hint 8 the hand emptied into the dustbin
+40 click distributor jelly_green
+15 click machine dustbin
# hint 9 shows after 1.4 s
+25 key SPACE
)";

}  // namespace replay
