#include "platform/LargeBlocks.h"

#include <malloc.h>

void ReturnLargeBlocksToTheSystem() {
  // Setting the threshold also stops the allocator from raising it each time a
  // big block is freed, after which later big blocks would come from the heap.
  mallopt(M_MMAP_THRESHOLD, 128 * 1024);
}
