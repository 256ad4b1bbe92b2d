#include "Veltrano_IButton.h"

#include "log/interface_lines.h"

Veltrano_IButton::Veltrano_IButton() { LogInterfaceCreated("IButton"); }

Veltrano_IButton::~Veltrano_IButton() { LogInterfaceDeleted("IButton"); }


// No widget exists yet, so there is no input to check.
void Veltrano_IButton::Update() {}
