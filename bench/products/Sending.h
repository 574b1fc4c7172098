#pragma once

namespace norvan::bench {

// How the run sends its lines: line by line (a lookup and an update per line), or in batches
// (the window's chbBatch: a lookup of up to 100 SKUs and one products/batch call per 100 lines).
enum class Sending { LineByLine, Batched };

}  // namespace norvan::bench
