#include "log/interface_lines.h"

#include "Veltrano_ILogSystem.h"

void LogInterfaceCreated(const char* globalName) {
    ILogSystem.Msg(5, " . [%s] Interfaz created.\n", globalName);
}

void LogInterfaceDeleted(const char* globalName) {
    ILogSystem.Msg(5, " . [%s] Interfaz deleted.\n", globalName);
}
