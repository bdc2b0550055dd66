// This process's resident memory from /proc/self: the current size, the
// high-water mark, and a reset of the mark so that one phase can be measured.
#pragma once

namespace pomiar {

// In MiB; negative when /proc does not tell.
double RssMb();
double SzczytRssMb();

// Sets the high-water mark to the current size; false when the kernel
// does not allow it (the mark then also covers what came before).
bool ZerujSzczytRss();

}  // namespace pomiar
