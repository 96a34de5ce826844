#pragma once
// For the start-up benchmark: when QINGYU_FIRST_PAINT_FD names an open file descriptor, the line
// "painted" is written to it once the first window has been painted, and the descriptor closed.

namespace qingyu::desktop {

void report_first_paint();

}  // namespace qingyu::desktop
