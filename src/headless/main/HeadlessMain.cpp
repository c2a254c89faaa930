#include "headless/HeadlessRunner.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    return corvane::runHeadless(std::vector<std::string>(argv + 1, argv + argc));
}
