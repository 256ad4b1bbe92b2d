#include "fonts/font_listeners.h"

#include <algorithm>
#include <vector>

namespace font_listeners {
namespace {

std::vector<Listener*>& Listeners() {
    // Built on first use: fonts may be deleted from other static objects.
    static std::vector<Listener*> listeners;
    return listeners;
}

}  // namespace

void Add(Listener& listener) {
    std::vector<Listener*>& listeners = Listeners();
    if (std::find(listeners.begin(), listeners.end(), &listener) == listeners.end()) listeners.push_back(&listener);
}

void Remove(const Listener& listener) {
    std::vector<Listener*>& listeners = Listeners();
    listeners.erase(std::remove(listeners.begin(), listeners.end(), &listener), listeners.end());
}

void NotifyDeleted(Veltrano_CFont* font) {
    for (Listener* listener : Listeners()) listener->FontDeleted(font);
}

}  // namespace font_listeners
