// The entry point every fuzz target defines. Built with clang and
// -fsanitize=fuzzer, libFuzzer calls it with its inputs; in the normal build
// replay_main.cpp calls it with the files it is given, so the tests replay
// the kept crash inputs and the seed corpora through the same code.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
