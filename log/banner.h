// The boxed start banner every log file begins with.
#ifndef VELTRANO_LOG_BANNER_H
#define VELTRANO_LOG_BANNER_H

class Veltrano_ILogSystem;

// Writes the banner through the log at level 0; null lines are left out.
void WriteLogBanner(Veltrano_ILogSystem& log, const char* title, const char* line1, const char* line1b,
                    const char* line2);

#endif
