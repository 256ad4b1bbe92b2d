// The pause Compact takes after each block so that a long compaction leaves
// the processor to the game. Replaceable so tools and tests that compact
// many blocks need not wait.
#ifndef VELTRANO_ARCHIVE_COMPACT_PAUSE_H
#define VELTRANO_ARCHIVE_COMPACT_PAUSE_H

#include <cstdint>

namespace compact_pause {

constexpr uint32_t kMilliseconds = 10;

using PauseFunction = void (*)(uint32_t milliseconds);

void Pause();
// Replaces the pause; null restores SDL_Delay. Returns the previous one.
PauseFunction SetPauseFunction(PauseFunction function);

}  // namespace compact_pause

#endif
