// The creation and deletion lines every interface object logs.
#ifndef VELTRANO_LOG_INTERFACE_LINES_H
#define VELTRANO_LOG_INTERFACE_LINES_H

void LogInterfaceCreated(const char* globalName);
void LogInterfaceDeleted(const char* globalName);

#endif
