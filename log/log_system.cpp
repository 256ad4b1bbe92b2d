// Placeholder until the log system lands.
#include "Veltrano_ILogSystem.h"

struct LogState {};

Veltrano_ILogSystem::Veltrano_ILogSystem() : state(new LogState) {}
Veltrano_ILogSystem::~Veltrano_ILogSystem() { delete state; }
void Veltrano_ILogSystem::Init(const char*, char, char, const char*, const char*, const char*, const char*) {}
void Veltrano_ILogSystem::Msg(char, const char*, ...) {}
void Veltrano_ILogSystem::ShowTime(char) {}
unsigned char Veltrano_ILogSystem::GetState() { return 0; }
void Veltrano_ILogSystem::Halt() {}
void Veltrano_ILogSystem::Resume() {}
void Veltrano_ILogSystem::ProfileBegin(const char*) {}
void Veltrano_ILogSystem::ProfileEnd(const char*) {}
void Veltrano_ILogSystem::ProfileShow() {}
