#include "gui/button_hooks.h"

#include "Veltrano_IButton.h"
#include "core/hooks.h"
#include "fonts/font_listeners.h"

class ButtonHooks final : public hooks::Participant, public font_listeners::Listener {
public:
    void Join(Veltrano_IButton& widgets) {
        widgets_ = &widgets;
        hooks::Join(hooks::Role::Widgets, *this);
        font_listeners::Add(*this);
    }

    void Leave(const Veltrano_IButton& widgets) {
        if (widgets_ != &widgets) return;
        hooks::Leave(hooks::Role::Widgets, *this);
        font_listeners::Remove(*this);
        widgets_ = nullptr;
    }

    void Take(hooks::Phase phase, const SDL_Event*) override {
        if (phase == hooks::Phase::AfterInput) widgets_->Update();
    }

    void FontDeleted(Veltrano_CFont* font) override { widgets_->ForgetFont(font); }

private:
    Veltrano_IButton* widgets_ = nullptr;
};

namespace button_hooks {
namespace {

ButtonHooks adapter;

}  // namespace

void Join(Veltrano_IButton& widgets) { adapter.Join(widgets); }

void Leave(const Veltrano_IButton& widgets) { adapter.Leave(widgets); }

}  // namespace button_hooks
