// Links the whole of the decoding core and of the dense scan's core, and
// nothing that defines a global table (pairs/CMakeLists.txt). Running it
// decodes nothing; it only shows that the program could be linked.
#include <cstdio>

#include "decoder/decoding.h"
#include "pairs/dense_cloud.h"

int main() {
  std::printf("%zu patterns per camera; %d neighbours per point\n", vzory_kamery().size(), sousedu_bodu);
  return 0;
}
