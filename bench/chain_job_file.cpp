// chain-job-file N [SEED]: writes the job file of one whole job on a
// generated N-triangle chain (noisy), for timing `kestrane-replay --job` and
// the window opening a large job.
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "generated_job_file.h"

int main(int argc, char** argv)
{
    if (argc < 2 || std::atoi(argv[1]) < 1) {
        std::cerr << "usage: chain-job-file N [SEED]\n";
        return 64;
    }
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 7;
    const std::string text = kestrane::bench::generatedJobFile(std::atoi(argv[1]), seed);
    std::fwrite(text.data(), 1, text.size(), stdout);
}
