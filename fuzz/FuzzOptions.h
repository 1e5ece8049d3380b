#pragma once

// What a target changes before libFuzzer reads its flags (LLVMFuzzerInitialize runs first).

#include <cstring>
#include <string>
#include <vector>

// Formats that nest (AVI lists, album compound files, archive objects) reach their faults only
// with inputs far longer than libFuzzer's default of 4 KB: unless the command line says
// otherwise, inputs may be up to BYTES long.
inline void DefaultMaxLen(int* argc, char*** argv, std::size_t bytes) {
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0) return;
    static std::string flag = "-max_len=" + std::to_string(bytes);
    static std::vector<char*> args;
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, flag.data());
    args.push_back(nullptr);
    *argc += 1;
    *argv = args.data();
}

constexpr std::size_t kNestedInputBytes = std::size_t(1) << 20;
