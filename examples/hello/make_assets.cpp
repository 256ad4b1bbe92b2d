// Writes the hello demo's assets into the folder given on the command line:
// a greeting text and a 256-colour palette (768 bytes of red, green, blue).
// The build packs them into assets.dpf with veltrano-dpf.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
    return false;
}

// A sunset ramp: black through red and orange to white.
std::string Palette() {
    std::string rgb;
    for (int i = 0; i < 256; ++i) {
        rgb += static_cast<char>(i < 128 ? i * 2 : 255);
        rgb += static_cast<char>(i < 64 ? 0 : (i - 64) * 4 / 3);
        rgb += static_cast<char>(i < 192 ? 0 : (i - 192) * 4);
    }
    return rgb;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const bool ok = Write(folder / "greeting.txt", "Hello from inside assets.dpf!\n") &&
                    Write(folder / "palette.bin", Palette());
    return ok ? 0 : 1;
}
