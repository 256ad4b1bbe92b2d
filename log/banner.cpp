#include "log/banner.h"

#include "Veltrano_ILogSystem.h"
#include "log/log_environment.h"
#include "platform/platform.h"

namespace {

// Every line of the box is 60 characters wide; the vertical bar is the single
// byte 0xA6 (the broken bar of code page 1252), kept as is in the file.
constexpr char kRule[] = "+----------------------------------------------------------+\n";
constexpr char kVersionPadding[] = "            ";
constexpr char kWebLine[] = "\xA6               http://www.veltrano-sdk.org                \xA6\n";

}  // namespace

void WriteLogBanner(Veltrano_ILogSystem& log, const char* title, const char* line1, const char* line1b,
                    const char* line2) {
    log.Msg(0, "%s", kRule);
    log.Msg(0, "\xA6         %s%s\xA6\n", log_environment::Version(), kVersionPadding);
    log.Msg(0, "\xA6               %s                 \xA6\n", log_environment::Copyright());
    log.Msg(0, "%s", kWebLine);
    log.Msg(0, "%s", kRule);

    log.Msg(0, "\n . %s\n", title != nullptr ? title : "");
    if (line1 != nullptr) {
        log.Msg(0, " . %s", line1);
        if (line1b != nullptr) log.Msg(0, " - %s", line1b);
        log.Msg(0, "\n");
    }
    if (line2 != nullptr) log.Msg(0, " . %s\n", line2);

    char now[26];
    platform::LocalTimeText(now, true);
    log.Msg(0, "\n . Executing at %s", now);
}
