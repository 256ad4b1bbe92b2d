// The widgets' cost per frame: 8 layers of 32 visible widgets of mixed
// types (buttons, complex buttons, sliders, progress bars of 4 cells, check
// buttons, input boxes) on a 32-bit headless screen. The core's logic frame
// with the widgets' input check is measured against the same frame with
// every layer hidden; IButton->Draw against the raw SDL_BlitSurface calls
// of the same pictures at the same places; and Draw when no render is needed.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kLayers = 8;
constexpr int kPerLayer = 32;
constexpr int kWidgets = kLayers * kPerLayer;
constexpr int kTypes[] = {1, 4, 8, 16, 32, 64};
constexpr int kProgressCells = 4;

std::vector<SDL_Surface*> referencePictures;
std::vector<SDL_Rect> referencePlaces;

void StorePicture(int dpf, const std::string& name, int w, int h, Uint32 rgb) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(surface, nullptr, rgb);
    Veltrano_CTile tile;
    tile.Create(surface, name.c_str());
    SDL_FreeSurface(surface);
    tile.Save(dpf, "TILB2");
}

// One master per type, stored in a temporary archive.
std::vector<int> MakeMasters() {
    char folder[] = "/tmp/bench_button-XXXXXX";
    if (mkdtemp(folder) == nullptr) return {};
    const std::string archive = std::string(folder) + "/widgets.dpf";
    const int dpf = IStuffDPF->Create(archive.c_str());
    std::vector<int> masters;
    for (int type : kTypes) {
        const std::string name = "t" + std::to_string(type);
        const bool slider = type == 8;
        StorePicture(dpf, name + "_n", slider ? 70 : 16, 12, 0x3060C0);
        StorePicture(dpf, name + "_p", slider ? 8 : 16, slider ? 8 : 12, 0xC06030);
        StorePicture(dpf, name + "_o", slider ? 70 : 16, 12, 0x808080);
        StorePicture(dpf, name + "_s", 16, 12, 0x30C060);
        IButtonNew desc{};
        desc.type = static_cast<unsigned char>(type);
        desc.selectColor = 0xFFFF00;
        desc.range = type == 8 || type == 16 ? kProgressCells : 0;
        desc.value = desc.range / 2;
        masters.push_back(IButton->Create(&desc, name.c_str(), 1, dpf));
    }
    IStuffDPF->Close(dpf);
    std::remove(archive.c_str());
    rmdir(folder);
    return masters;
}

void AddReferenceBlit(SDL_Surface* picture, int x, int y) {
    referencePictures.push_back(picture);
    referencePlaces.push_back(SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0});
}

// The blits Draw makes for an idle widget: its picture; a slider's knob
// too; a progress bar's cells, half filled.
void AddReferenceBlits(int id, int x, int y) {
    SDL_Surface* normal = IButton->GetSurface(id, 1);
    SDL_Surface* pressed = IButton->GetSurface(id, 4);
    if (IButton->GetRange(id) < 0) {
        AddReferenceBlit(normal, x, y);
    } else if (IButton->GetSurface(id, 1)->w > pressed->w) {  // a slider: bar and knob
        AddReferenceBlit(normal, x, y);
        AddReferenceBlit(pressed, x + 25, y + 2);
    } else {
        for (int k = 0; k < kProgressCells; ++k) AddReferenceBlit(k < kProgressCells / 2 ? normal : pressed, x + k * 16, y);
    }
}

// Fills every layer with clones spread over the screen, every layer visible.
void MakeWidgets(const std::vector<int>& masters) {
    for (int layer = 0; layer < kLayers; ++layer) {
        IButton->SetLayer(static_cast<char>(layer));
        for (int slot = 0; slot < kPerLayer; ++slot) {
            const int index = layer * kPerLayer + slot;
            const int id = IButton->Clone(masters[index % masters.size()]);
            const int x = (index % 8) * 78, y = (index / 8) * 14;
            IButton->SetPosition(id, x, y);
            AddReferenceBlits(id, x, y);
        }
    }
    for (int layer = 0; layer < kLayers; ++layer) IButton->SetLayerVisibility(static_cast<char>(layer), 1);
}

void SetAllLayers(char on) {
    for (int layer = 0; layer < kLayers; ++layer) IButton->SetLayerVisibility(static_cast<char>(layer), on);
}

void BM_LogicFrameWithoutWidgets(benchmark::State& state) {
    SetAllLayers(0);
    for (auto _ : state) Veltrano.Update(nullptr);
    SetAllLayers(1);
}

void BM_LogicFrameWithWidgets(benchmark::State& state) {
    for (auto _ : state) Veltrano.Update(nullptr);
    state.SetItemsProcessed(state.iterations() * kWidgets);
}

void BM_RawBlits(benchmark::State& state) {
    for (auto _ : state)
        for (size_t i = 0; i < referencePictures.size(); ++i) {
            SDL_Rect place = referencePlaces[i];
            SDL_BlitSurface(referencePictures[i], nullptr, Veltrano.screen, &place);
        }
    state.SetItemsProcessed(state.iterations() * kWidgets);
}

void BM_Draw(benchmark::State& state) {
    for (auto _ : state) {
        Veltrano.RenderNeeded(1);
        benchmark::DoNotOptimize(IButton->Draw());
    }
    state.SetItemsProcessed(state.iterations() * kWidgets);
}

void BM_DrawWithoutRender(benchmark::State& state) {
    Veltrano.RenderNeeded(0);
    for (auto _ : state) benchmark::DoNotOptimize(IButton->Draw());
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;
    ITimeSystem->Init(0);  // every Update pass runs one logic frame
    const std::vector<int> masters = MakeMasters();
    if (masters.size() != std::size(kTypes)) return 1;
    for (int master : masters)
        if (master < 0) return 1;
    MakeWidgets(masters);
    // The mouse stays off the widgets: their state stays put and no frame
    // asks for a render.
    SDL_WarpMouse(639, 479);

    benchmark::RegisterBenchmark("frame/logic_no_widgets", BM_LogicFrameWithoutWidgets)->MinTime(0.5);
    benchmark::RegisterBenchmark("frame/logic_256_widgets", BM_LogicFrameWithWidgets)->MinTime(0.5);
    benchmark::RegisterBenchmark("frame/raw_SDL_BlitSurface_256", BM_RawBlits)->MinTime(0.5);
    benchmark::RegisterBenchmark("frame/IButton_Draw_256", BM_Draw)->MinTime(0.5);
    benchmark::RegisterBenchmark("frame/IButton_Draw_no_render", BM_DrawWithoutRender)->MinTime(0.5);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double bare = collector.CpuTime("frame/logic_no_widgets");
    const double logic = collector.CpuTime("frame/logic_256_widgets");
    const double raw = collector.CpuTime("frame/raw_SDL_BlitSurface_256");
    const double draw = collector.CpuTime("frame/IButton_Draw_256");
    const double idle = collector.CpuTime("frame/IButton_Draw_no_render");
    if (raw > 0.0 && draw > 0.0)
        std::printf("\n%d widgets: input check %.1f ns per widget (logic frame %.1f us, %.1f us without widgets); "
                    "Draw %.1f ns per widget (%.1f us a frame; raw blits %.1f us, ratio %.2fx); "
                    "Draw with no render needed %.1f ns\n",
                    kWidgets, (logic - bare) / kWidgets, logic / 1e3, bare / 1e3, draw / kWidgets, draw / 1e3,
                    raw / 1e3, draw / raw, idle);
    benchmark::Shutdown();
    for (int layer = 0; layer < kLayers; ++layer) {
        IButton->SetLayer(static_cast<char>(layer));
        IButton->RemoveAll();
    }
    IButton->RemoveMaster(-1);
    Veltrano.Quit();
    return 0;
}
