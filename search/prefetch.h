// Starting the load of a cache line that will be read soon.
#pragma once

// A function whose only statement is the prefetch builtin counts, for GCC, as one without
// effects: where it is not inlined, a call to it whose result nobody uses is dropped, prefetch
// and all. The empty volatile statement is an effect the compiler must keep.
[[gnu::always_inline]] inline void PrefetchLine(const void* address) {
  __builtin_prefetch(address);
  asm volatile("");
}
