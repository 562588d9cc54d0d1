// Start-up of the program. The windows are not built yet: for now it says so and ends.
#include <cstdio>

int main() {
    std::puts("Tarnwick: the market database, the chart window and the frame window are not built yet.");
    return 0;
}
