#include "assets.h"

#include <veltrano.h>

#include <cstring>

void UnlockAssets() {
    // The build compiles the key in (HELLO_ASSETS_KEY, see CMakeLists.txt). A
    // shipped game would assemble it at run time rather than keep it as one
    // readable string; the cipher only takes keys of 8 to 56 bytes.
    static unsigned char key[] = HELLO_ASSETS_KEY;
    IStuffDPF->SetPassword(key, static_cast<unsigned char>(std::strlen(HELLO_ASSETS_KEY)));
}
