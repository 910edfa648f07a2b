// Opens the maker's home page on about one start in a hundred.
#pragma once

namespace app {

// Draws 1..100 from a generator reseeded from the time of day; on 7 opens the home page in the user's
// browser, minimised, without waiting. Throws StepFailure when the browser cannot be started.
void HomePageDraw();

}  // namespace app
