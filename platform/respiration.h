#pragma once
// What a window passes to a long core routine to run between two steps:
// the event loop's turn, as the system lets a busy program answer.
#include <functional>

// Lets pending events run, at most every few milliseconds: asking the event
// loop costs more than a student row, so the window still answers at once
// and the work is not slowed. The first call always lets them run. One per
// piece of work.
std::function<void()> Respiration();
