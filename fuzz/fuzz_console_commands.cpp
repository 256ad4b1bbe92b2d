// Arbitrary bytes as console command lines: the input is cut at line ends
// and each piece goes through ConCmd with the built-in commands, a game
// command and watches registered ("con save" and "history save" write into
// the fuzzer's own folder). The console must stay usable: "help" still runs.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console_fuzz_setup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (console_fuzz::Start("fuzz_console_commands"), true);
    (void)started;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        // Saving goes to the fuzzer's folder, never to a path the input names.
        const std::size_t save = line.find("save");
        if (save != std::string::npos) line = line.substr(0, save + 4) + " " + fuzz_setup::WorkFile();
        Veltrano.ConCmd(line.c_str());
        Veltrano.Update(nullptr);
        start = end + 1;
    }
    console_fuzz::KeepUsable();
    Veltrano.ConCmd("help");
    Veltrano.ConCmd("con clear");
    Veltrano.ConCmd("con history clear");
    return 0;
}
