// The smallest Veltrano program: start the SDK, log, profile, quit.
#include <veltrano.h>

int main() {
    ILogSystem.Init("hello.log", 2 | 8, 5, "Hello, Veltrano", "A first program", nullptr, nullptr);
    if (Veltrano.Init(0) != 1) return 1;
    Veltrano.PrintVersion();
    Veltrano.Quit();
    return 0;
}
