#include "timing/time_system_hooks.h"

#include "Veltrano_ITimeSystem.h"
#include "core/hooks.h"

class TimeSystemHooks final : public hooks::Participant, public hooks::PacingClock {
public:
    void Join(Veltrano_ITimeSystem& timeSystem) {
        timeSystem_ = &timeSystem;
        hooks::Join(hooks::Role::TimeSystem, *this);
        hooks::SetPacingClock(this);
    }

    void Leave(const Veltrano_ITimeSystem& timeSystem) {
        if (timeSystem_ != &timeSystem) return;
        hooks::Leave(hooks::Role::TimeSystem, *this);
        hooks::ClearPacingClock(*this);
        timeSystem_ = nullptr;
    }

    void Take(hooks::Phase phase, const SDL_Event*) override {
        switch (phase) {
            case hooks::Phase::LogicFrameStart: timeSystem_->IncLF(); break;
            case hooks::Phase::Flipped: timeSystem_->IncRF(); break;
            case hooks::Phase::PassEnd: timeSystem_->Update(); break;
            case hooks::Phase::CleanUp: timeSystem_->Init(1); break;
            default: break;
        }
    }

    int DesiredLogicRate() override { return timeSystem_->GetDesiredLFR(); }
    int DesiredRenderRate() override { return timeSystem_->GetDesiredRFR(); }
    int Now() override { return timeSystem_->GetTime(); }

private:
    Veltrano_ITimeSystem* timeSystem_ = nullptr;
};

namespace time_system_hooks {
namespace {

TimeSystemHooks adapter;

}  // namespace

void Join(Veltrano_ITimeSystem& timeSystem) { adapter.Join(timeSystem); }

void Leave(const Veltrano_ITimeSystem& timeSystem) { adapter.Leave(timeSystem); }

}  // namespace time_system_hooks
