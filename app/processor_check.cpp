// A Release build for x86-64-v2 may use SSE4.2 and POPCNT anywhere, the static initialisers that
// run before main included. On an older processor it would die on an illegal instruction without
// a word of why. This check runs before all of them: it is compiled for the plain x86-64
// instruction set whatever the rest of the build targets, and it is registered as a constructor
// of the earliest priority a program may use. It names what the processor lacks and ends the
// engine with status 2.
//
// The feature macros below are those of the flags this file is compiled with, which are the flags
// of every other engine file, so the list follows the build's target.
#if defined(__x86_64__) && defined(__GNUC__)

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int UNSUPPORTED_PROCESSOR_STATUS = 2;

// Anything this function calls must be baseline code too: libc, and nothing of this program.
[[gnu::constructor(101), gnu::target("arch=x86-64")]] void CheckProcessor() {
  char missing[128] = "";
  __builtin_cpu_init();
  // __builtin_cpu_supports takes only a literal, hence a macro rather than a table.
#define MORVA_NEED(feature, name) \
  if (!__builtin_cpu_supports(feature)) std::strcat(missing, " " name)
#ifdef __SSE3__
  MORVA_NEED("sse3", "SSE3");
#endif
#ifdef __SSSE3__
  MORVA_NEED("ssse3", "SSSE3");
#endif
#ifdef __SSE4_1__
  MORVA_NEED("sse4.1", "SSE4.1");
#endif
#ifdef __SSE4_2__
  MORVA_NEED("sse4.2", "SSE4.2");
#endif
#ifdef __POPCNT__
  MORVA_NEED("popcnt", "POPCNT");
#endif
#ifdef __AVX__
  MORVA_NEED("avx", "AVX");
#endif
#ifdef __AVX2__
  MORVA_NEED("avx2", "AVX2");
#endif
#ifdef __BMI__
  MORVA_NEED("bmi", "BMI");
#endif
#ifdef __BMI2__
  MORVA_NEED("bmi2", "BMI2");
#endif
#ifdef __FMA__
  MORVA_NEED("fma", "FMA");
#endif
#undef MORVA_NEED
  if (missing[0] == '\0') return;
  std::fprintf(stderr,
               "morva: this processor lacks%s, which this build of Morva needs; "
               "build Morva for any x86-64 processor with `make ARCH=x86-64`\n",
               missing);
  std::_Exit(UNSUPPORTED_PROCESSOR_STATUS);
}

}  // namespace

#endif
