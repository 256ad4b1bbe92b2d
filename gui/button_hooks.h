// The widgets' part in the core's frame loop (their input check once per
// logic frame) and in the fonts' lives (a deleted font is dropped from the
// input boxes that borrow it).
#ifndef VELTRANO_GUI_BUTTON_HOOKS_H
#define VELTRANO_GUI_BUTTON_HOOKS_H

class Veltrano_IButton;

namespace button_hooks {

// Called by the widgets' constructor and destructor.
void Join(Veltrano_IButton& widgets);
void Leave(const Veltrano_IButton& widgets);

}  // namespace button_hooks

#endif
