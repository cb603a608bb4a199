// Standard input from a pipe or a file, read ahead by a thread of its own into a queue.
//
// Whether a pipe holds bytes cannot always be asked without reading: wine, for one, answers
// PeekNamedPipe on a Linux pipe with "not supported". The thread waits in the reads instead,
// so the engine's own thread learns what is waiting from the queue and never waits in a read
// while it searches. The thread starts with the first call of either routine.
#pragma once

#include <cstddef>
#include <cstdint>

// Takes up to capacity queued bytes, waiting until at least one is there. Returns the count, 0
// once the input has ended and the queue is empty, or a negative value after a read error.
long TakeQueuedInput(char* destination, std::size_t capacity);

// The number of queued bytes; 1 when none is left and the input has ended
// or failed, so that the read that follows reports it; 0 while the thread is still waiting.
std::uint32_t QueuedInputAvailable();
