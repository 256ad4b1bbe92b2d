#include "Veltrano_ICursor.h"

#include "log/interface_lines.h"

Veltrano_ICursor::Veltrano_ICursor() { LogInterfaceCreated("ICursor"); }

Veltrano_ICursor::~Veltrano_ICursor() { LogInterfaceDeleted("ICursor"); }

// Until cursor images exist there is no cursor to save, erase or draw.
void Veltrano_ICursor::SaveCoordinates(int, int) {}

void Veltrano_ICursor::Update() {}

int Veltrano_ICursor::RestoreBG(SDL_Rect*) { return 0; }

void Veltrano_ICursor::CopyBG() {}
