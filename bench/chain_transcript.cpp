// chain-transcript N [SEED]: writes the transcript of one whole job on a
// generated N-triangle chain (C and D absent, E and F given, noisy
// observations), for timing the replay tool on large chains.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "synthetic_chain.h"

int main(int argc, char** argv)
{
    if (argc < 2 || std::atoi(argv[1]) < 1) {
        std::cerr << "usage: chain-transcript N [SEED]\n";
        return 64;
    }
    const int n = std::atoi(argv[1]);
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    const auto chain = kestrane::testing::makeChain({.triangles = n, .seed = seed, .angleNoise = 2, .sideNoise = 0.004});
    std::string out = "@data\n";
    for (const auto& answer : chain.answers) out += (answer.rfind('@', 0) == 0 ? "@" : "") + answer + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
}
