// Objects that borrow fonts register here to hear that a font is being
// deleted, so they can drop it before it goes.
#ifndef VELTRANO_FONTS_FONT_LISTENERS_H
#define VELTRANO_FONTS_FONT_LISTENERS_H

class Veltrano_CFont;

namespace font_listeners {

class Listener {
public:
    virtual void FontDeleted(Veltrano_CFont* font) = 0;

protected:
    ~Listener() = default;
};

void Add(Listener& listener);
void Remove(const Listener& listener);
// Tells every listener, in the order they were added.
void NotifyDeleted(Veltrano_CFont* font);

}  // namespace font_listeners

#endif
