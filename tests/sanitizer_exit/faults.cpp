// Commits one fault a sanitizer reports, chosen by the argument, so that a test can check the
// exit status the sanitizer ends the process with ("overflow": UBSan, "heap": ASan).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    volatile int big = std::numeric_limits<int>::max();
    volatile int index = argc + 6;
    if (std::strcmp(argv[1], "overflow") == 0) std::printf("%d\n", big + argc);
    if (std::strcmp(argv[1], "heap") == 0) {
        int* block = static_cast<int*>(std::malloc(4 * sizeof(int)));
        block[index] = 1;
        std::printf("%d\n", block[0]);
        std::free(block);
    }
    return 0;
}
